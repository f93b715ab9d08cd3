#include "clocklink/ClockLibrary.h"
#include "clocklink/Envelope.h"
#include "clocklink/LineLog.h"
#include "clocklink/SerialTransport.h"
#include "common/AppState.h"
#include <QCoreApplication>
#include "clocklink/LinkTimer.h"
#include <algorithm>
#include <cstring>

namespace durvek {

namespace {

// Long enough not to burn the processor, short enough that the window
// keeps painting smoothly while a call waits up to 5 s.
constexpr int kSliceMs = 25;
constexpr int kAntennaWaitMs = 300;
constexpr int kAntennaBufferSize = 21;
constexpr int kTelegramSize = 12;

uint16_t code(LinkResult r) { return resultCode(r); }

bool isTelegram(const QByteArray& t)
{
    if (t.size() != kTelegramSize || uint8_t(t[0]) != envelope::kStart || uint8_t(t[10]) != 0x0D
        || uint8_t(t[11]) != 0x03)
        return false;
    uint8_t check = 0;
    for (int i = 1; i <= 8; ++i)
        check ^= uint8_t(t[i]);
    return check == uint8_t(t[9]);
}

} // namespace

struct ClockLibrary::Impl {
    TransportFactory factory = [] { return TransportPtr(new SerialTransport); };
    PortResolver resolver = [](uint8_t port) { return portDevice(appState().activeSettings, int(port) - 1); };
    // Paints during a long call; user input (a Cancel click) waits until the
    // job lets events run between calls, where the cancel flag is read.
    std::function<void()> pump = [] {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    LineLog* log = &lineLog();
    TransportPtr transport;
    QString device;
    const void* sharer = nullptr;
    std::function<void()> sharerLetGo;

    void takeDeviceBack()
    {
        if (!sharerLetGo)
            return;
        const std::function<void()> letGo = std::move(sharerLetGo);
        sharerLetGo = nullptr;
        sharer = nullptr;
        letGo();
    }

    void logResult(uint16_t result, const QString& note = QString())
    {
        if (log)
            log->result(device, result, note);
    }

    // Opens the device the port names, or keeps the open one.
    bool ready(uint8_t port)
    {
        device = resolver(port);
        if (!transport)
            transport = factory();
        if (transport->isOpen() && transport->device() == device)
            return true;
        transport->close();
        takeDeviceBack();
        QString error;
        if (transport->open(device, &error))
            return true;
        if (log)
            log->note(device, QStringLiteral("cannot open: %1").arg(error));
        return false;
    }

    void pumpEvents()
    {
        if (pump)
            pump();
    }

    // Reads one slice; false when the line failed.
    bool readSlice(QByteArray& input, int remainingMs)
    {
        const QByteArray chunk = transport->read(std::clamp(remainingMs, 0, kSliceMs));
        if (transport->faulted() || !transport->isOpen())
            return false;
        if (!chunk.isEmpty()) {
            if (log)
                log->bytes(LineLog::Direction::Received, device, chunk);
            input.append(chunk);
        } else {
            pumpEvents();
        }
        return true;
    }

    uint16_t exchange(uint8_t port, uint8_t lineMode, int32_t timeoutMs, const uint8_t* sendFrame,
                      uint8_t* replyFrame, int replySize);
    uint16_t readAntenna(uint8_t port, int16_t& length, uint8_t* buffer);
};

uint16_t ClockLibrary::Impl::exchange(uint8_t port, uint8_t lineMode, int32_t timeoutMs, const uint8_t* sendFrame,
                                      uint8_t* replyFrame, int replySize)
{
    if (!ready(port)) {
        logResult(code(LinkResult::PortFault));
        return code(LinkResult::PortFault);
    }
    const QByteArray frame(reinterpret_cast<const char*>(sendFrame), sendFrame[3] + 4);
    const QByteArray wire = envelope::encode(frame);
    if (wire.isEmpty()) {
        logResult(code(LinkResult::PortFault), QStringLiteral("frame too long for the line"));
        return code(LinkResult::PortFault);
    }
    transport->setRts(lineMode == 1);
    transport->purge();
    if (log)
        log->bytes(LineLog::Direction::Sent, device, wire);
    if (!transport->write(wire)) {
        logResult(code(LinkResult::PortFault), QStringLiteral("line fault while sending"));
        return code(LinkResult::PortFault);
    }

    LinkTimer sinceSent;
    sinceSent.start();
    QByteArray input;
    for (;;) {
        const envelope::Decoded front = envelope::decodeFront(input);
        if (front.state == envelope::DecodeState::Invalid) {
            input.remove(0, front.consumed);
            continue;
        }
        if (front.state == envelope::DecodeState::Whole) {
            if (!front.checksumOk) {
                logResult(code(LinkResult::BadChecksum));
                return code(LinkResult::BadChecksum);
            }
            const int size = std::max(0, replySize);
            const int copied = std::min<int>(int(front.payload.size()), size);
            std::memcpy(replyFrame, front.payload.constData(), size_t(copied));
            const LinkResult r = front.payload.size() > size ? LinkResult::ReplyTooLong : LinkResult::Ok;
            logResult(code(r));
            return code(r);
        }
        const qint64 remaining = timeoutMs - sinceSent.elapsed();
        if (remaining <= 0) {
            logResult(code(LinkResult::NoReply));
            return code(LinkResult::NoReply);
        }
        if (!readSlice(input, int(remaining))) {
            logResult(code(LinkResult::PortFault), QStringLiteral("line fault while waiting"));
            return code(LinkResult::PortFault);
        }
    }
}

uint16_t ClockLibrary::Impl::readAntenna(uint8_t port, int16_t& length, uint8_t* buffer)
{
    length = 0;
    std::memset(buffer, 0, kAntennaBufferSize);
    if (!ready(port)) {
        logResult(code(LinkResult::PortFault));
        return code(LinkResult::PortFault);
    }
    transport->setRts(true);
    // Only a telegram sent from now on says that a chip is in the field.
    transport->purge();

    LinkTimer started;
    started.start();
    QByteArray input;    // from the first start byte on
    QByteArray skipped;  // what came before any start byte
    QByteArray rejected; // the last 12 bytes that looked like a telegram but failed the check
    for (;;) {
        const int start = int(input.indexOf(char(envelope::kStart)));
        if (start < 0) {
            skipped.append(input);
            input.clear();
        } else if (start > 0) {
            skipped.append(input.left(start));
            input.remove(0, start);
        }
        if (input.size() >= kTelegramSize) {
            const QByteArray telegram = input.left(kTelegramSize);
            if (isTelegram(telegram)) {
                std::memcpy(buffer, telegram.constData(), kTelegramSize);
                length = kTelegramSize;
                logResult(code(LinkResult::Ok));
                return code(LinkResult::Ok);
            }
            // The start byte may have been a check byte of a torn telegram:
            // look for the next start.
            rejected = telegram;
            skipped.append(input.left(1));
            input.remove(0, 1);
            continue;
        }
        const qint64 remaining = kAntennaWaitMs - started.elapsed();
        if (remaining <= 0)
            break;
        if (!readSlice(input, int(remaining))) {
            logResult(code(LinkResult::PortFault), QStringLiteral("line fault while waiting"));
            return code(LinkResult::PortFault);
        }
    }

    if (!rejected.isEmpty()) {
        std::memcpy(buffer, rejected.constData(), kTelegramSize);
        length = kTelegramSize;
        logResult(code(LinkResult::BadChecksum));
        return code(LinkResult::BadChecksum);
    }
    const QByteArray partial = input.isEmpty() ? skipped : input;
    if (partial.isEmpty()) {
        logResult(code(LinkResult::NoReply));
        return code(LinkResult::NoReply);
    }
    const int count = std::min<int>(int(partial.size()), kAntennaBufferSize);
    std::memcpy(buffer, partial.constData(), size_t(count));
    length = int16_t(count);
    // Twelve bytes with result 0 are a chip code to the caller: noise that
    // happens to be twelve bytes long must not pass for one.
    if (count == kTelegramSize) {
        logResult(code(LinkResult::BadChecksum), QStringLiteral("not a telegram"));
        return code(LinkResult::BadChecksum);
    }
    logResult(code(LinkResult::Ok), QStringLiteral("incomplete telegram"));
    return code(LinkResult::Ok);
}

ClockLibrary::ClockLibrary()
    : d(new Impl)
{
}

ClockLibrary::~ClockLibrary() { delete d; }

void ClockLibrary::setTransportFactory(TransportFactory factory)
{
    release();
    d->transport.reset();
    d->factory = std::move(factory);
}

void ClockLibrary::setPortResolver(PortResolver resolver) { d->resolver = std::move(resolver); }
void ClockLibrary::setEventPump(std::function<void()> pump) { d->pump = std::move(pump); }
void ClockLibrary::setLineLog(LineLog* log) { d->log = log; }

uint16_t ClockLibrary::WinOmnexa(uint8_t port, uint8_t lineMode, int32_t timeoutMs, const uint8_t* sendFrame,
                                 uint8_t* replyFrame, int replySize)
{
    return d->exchange(port, lineMode, timeoutMs, sendFrame, replyFrame, replySize);
}

uint16_t ClockLibrary::WinSerial(uint8_t port, uint8_t lineMode, int32_t timeoutMs, const uint8_t* sendFrame,
                                 uint8_t* replyFrame, int replySize)
{
    return d->exchange(port, lineMode, timeoutMs, sendFrame, replyFrame, replySize);
}

uint16_t ClockLibrary::ReadAnt(uint8_t port, int16_t /*flag*/, int16_t& length, uint8_t* buffer21)
{
    return d->readAntenna(port, length, buffer21);
}

void ClockLibrary::release()
{
    if (d->transport)
        d->transport->close();
}

void ClockLibrary::shareDevice(const void* owner, std::function<void()> letGo)
{
    d->sharer = owner;
    d->sharerLetGo = std::move(letGo);
}

void ClockLibrary::unshareDevice(const void* owner)
{
    if (d->sharer != owner)
        return;
    d->sharer = nullptr;
    d->sharerLetGo = nullptr;
}

QString ClockLibrary::lastDevice() const { return d->device; }

ClockLibrary& clockLibrary()
{
    static ClockLibrary library;
    // Let go of the port while the application still runs its event
    // machinery, not in the static destructors after it.
    static const bool releasedAtExit = [] {
        if (QCoreApplication::instance())
            qAddPostRoutine([] { clockLibrary().release(); });
        return true;
    }();
    Q_UNUSED(releasedAtExit);
    return library;
}

} // namespace durvek
