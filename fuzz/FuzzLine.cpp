#include "FuzzLine.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/DirectLine.h"
#include "clocklink/Envelope.h"
#include "clocklink/LinkTimer.h"

namespace durvek::fuzz {

namespace {

// The clock the library's waits run on: a silent read moves it on by the
// time it would have waited on a line.
qint64& virtualNow()
{
    static qint64 milliseconds = 0;
    return milliseconds;
}

// Reply frame: 6C 82 from a clock or 33 00 from the converter, the request's
// command, the data length, status, data.
QByteArray replyFrame(const QByteArray& request, uint8_t status, const QByteArray& data)
{
    const bool fromClock = uint8_t(request[1]) == 0x82;
    QByteArray frame;
    frame.append(char(fromClock ? 0x6C : 0x33));
    frame.append(char(fromClock ? 0x82 : 0x00));
    frame.append(request[2]);
    frame.append(char(uint8_t(data.size())));
    frame.append(char(status));
    frame.append(data);
    return frame;
}

} // namespace

bool FuzzLine::open(const QString& device, QString* error)
{
    if (m_input.empty()) {
        if (error)
            *error = QStringLiteral("the fuzz input has run out");
        return false;
    }
    m_device = device;
    m_open = true;
    m_faulted = false;
    return true;
}

bool FuzzLine::write(const QByteArray& bytes)
{
    if (m_input.empty()) {
        m_faulted = true;
        m_open = false;
        return false;
    }
    const envelope::Decoded request = envelope::decodeFront(bytes);
    if (request.state != envelope::DecodeState::Whole || request.payload.size() < 3)
        return true;  // text on the direct line: its answer comes with the reads
    const uint8_t mode = m_input.byte();
    switch (mode % 4) {
    case 0:
        m_pending += m_input.chunk();
        break;
    case 1:
        m_pending += envelope::encode(m_input.chunk());
        break;
    default: {
        const uint8_t status = (mode & 4) ? m_input.byte() : 0;
        m_pending += envelope::encode(replyFrame(request.payload, status, m_input.chunk()));
    }
    }
    return true;
}

QByteArray FuzzLine::read(int timeoutMs)
{
    if (m_pending.isEmpty()) {
        if (m_input.empty()) {
            m_faulted = true;
            m_open = false;
            return {};
        }
        m_pending = m_input.chunk();
        if (m_pending.isEmpty())
            virtualNow() += timeoutMs;
    }
    QByteArray out;
    out.swap(m_pending);
    return out;
}

qint64 FuzzLine::bytesAvailable()
{
    if (m_pending.isEmpty() && !m_input.empty())
        m_pending = m_input.chunk();
    return m_pending.size();
}

void useFuzzLine(ClockLibrary& library, FuzzInput& input)
{
    library.setTransportFactory([&input] { return std::make_unique<FuzzLine>(input); });
    library.setPortResolver([](uint8_t) { return QStringLiteral("fuzz"); });
    library.setEventPump([] {});
    LinkTimer::setClock([] { return virtualNow(); });
}

void useFuzzLine(DirectLine& line, FuzzInput& input)
{
    line.setTransportFactory([&input] { return std::make_unique<FuzzLine>(input); });
}

} // namespace durvek::fuzz
