#include "FakeClock.h"
#include "clocklink/Envelope.h"
#include <QThread>

namespace durvek::test {

FakeClockTransport::FakeClockTransport(std::shared_ptr<FakeClockState> state)
    : m_state(std::move(state))
{
}

bool FakeClockTransport::open(const QString& device, QString* error)
{
    ++m_state->opens;
    m_device = device;
    if (m_state->openFails) {
        if (error)
            *error = QStringLiteral("no such device");
        return false;
    }
    m_open = true;
    return true;
}

bool FakeClockTransport::write(const QByteArray& bytes)
{
    const envelope::Decoded d = envelope::decodeFront(bytes);
    if (d.state != envelope::DecodeState::Whole)
        return true;
    m_state->sent.append({d.payload, m_rts});
    if (m_state->script) {
        if (const auto reply = m_state->script(d.payload)) {
            QByteArray wire = envelope::encode(*reply);
            if (m_state->garbleReplies)
                wire.back() = char(wire.back() + 1);
            m_pending += wire;
        }
    }
    return true;
}

QByteArray FakeClockTransport::read(int timeoutMs)
{
    if (m_pending.isEmpty()) {
        // A silent clock: let the time pass as on a line.
        QThread::msleep(ulong(qMax(0, timeoutMs)));
        return {};
    }
    QByteArray out;
    out.swap(m_pending);
    return out;
}

QByteArray replyFrame(uint8_t command, uint8_t status, const QByteArray& data)
{
    QByteArray f;
    f.append(char(0x6C));
    f.append(char(0x82));
    f.append(char(command));
    f.append(char(uint8_t(data.size())));
    f.append(char(status));
    f.append(data);
    return f;
}

} // namespace durvek::test
