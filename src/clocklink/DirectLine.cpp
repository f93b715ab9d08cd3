#include "clocklink/DirectLine.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/LineLog.h"
#include "clocklink/SerialTransport.h"
#include "common/Ansi.h"

namespace durvek {

namespace {

constexpr int kPollMs = 20;

} // namespace

DirectLine::DirectLine(ClockLibrary& library)
    : m_library(library)
    , m_factory([] { return TransportPtr(new SerialTransport); })
    , m_log(&lineLog())
{
}

DirectLine::DirectLine()
    : DirectLine(clockLibrary())
{
}

DirectLine::~DirectLine()
{
    m_library.unshareDevice(this);
    close();
}

void DirectLine::setTransportFactory(TransportFactory factory)
{
    close();
    m_transport.reset();
    m_factory = std::move(factory);
}

void DirectLine::setLineLog(LineLog* log) { m_log = log; }

bool DirectLine::open(const QString& device, QString* error)
{
    close();
    // The framed link keeps its port open between calls; the device takes
    // one user at a time.
    m_library.release();
    if (!m_transport)
        m_transport = m_factory();
    if (!m_transport->open(device, error)) {
        if (m_log)
            m_log->note(device, QStringLiteral("direct line cannot open"));
        return false;
    }
    m_transport->purge();
    m_pending.clear();
    m_library.shareDevice(this, [this] { close(); });
    return true;
}

bool DirectLine::open(const ClubSettings& settings, QString* error)
{
    return open(portDevice(settings, settings.com), error);
}

bool DirectLine::isOpen() const { return m_transport && m_transport->isOpen(); }

QString DirectLine::device() const { return m_transport ? m_transport->device() : QString(); }

void DirectLine::setRts(bool on)
{
    if (isOpen())
        m_transport->setRts(on);
}

bool DirectLine::send(const QByteArray& bytes)
{
    if (!isOpen())
        return false;
    if (m_log)
        m_log->bytes(LineLog::Direction::Sent, m_transport->device(), bytes);
    return m_transport->write(bytes);
}

bool DirectLine::send(const QString& text) { return send(toAnsi(text)); }

QByteArray DirectLine::drain()
{
    QByteArray got;
    while (isOpen()) {
        const QByteArray chunk = m_transport->read(0);
        if (chunk.isEmpty())
            break;
        got += chunk;
    }
    if (m_log && !got.isEmpty())
        m_log->bytes(LineLog::Direction::Received, device(), got);
    return got;
}

bool DirectLine::waitForAnswer(QByteArray& answer, const std::function<void()>& pumpEvents,
                               const std::function<bool()>& aborted, int threshold)
{
    while (m_pending.size() <= threshold) {
        if ((aborted && aborted()) || !isOpen())
            return false;
        const QByteArray chunk = m_transport->read(kPollMs);
        if (!chunk.isEmpty()) {
            if (m_log)
                m_log->bytes(LineLog::Direction::Received, device(), chunk);
            m_pending += chunk;
        } else if (pumpEvents) {
            pumpEvents();
        }
    }
    answer += m_pending + drain();
    m_pending.clear();
    return true;
}

QByteArray DirectLine::readAvailable()
{
    QByteArray got = m_pending + drain();
    m_pending.clear();
    return got;
}

void DirectLine::close()
{
    if (m_transport)
        m_transport->close();
}

} // namespace durvek
