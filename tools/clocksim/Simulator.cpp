#include "Simulator.h"
#include "AntennaTelegram.h"
#include "ClockAnswers.h"
#include "ConverterAnswers.h"
#include "LineTiming.h"
#include "clocklink/Envelope.h"

#include <algorithm>
#include <poll.h>

namespace durvek::clocksim {

namespace {

constexpr int kIdlePollMs = 50;
// The longest pause inside one frame, line or language upload (the PC paces
// an upload at 10 ms a character and 100 ms a text). After a longer silence
// the devices drop what they half received: an upload stopped halfway, or a
// frame torn by a pulled cable, must not leave them deaf to the next request.
constexpr auto kTornInputSilence = std::chrono::milliseconds(2000);
constexpr int kTelegramBacklogLimit = 2048;

} // namespace

Simulator::Simulator(SimState state, SimulatorOptions options)
    : m_state(std::move(state)), m_options(std::move(options))
{
}

Simulator::~Simulator()
{
    stop();
}

bool Simulator::open(QString* error)
{
    std::lock_guard lock(m_mutex);
    if (m_pty.isOpen())
        return true;
    if (!m_pty.open(error))
        return false;
    if (!m_options.linkPath.isEmpty() && !m_pty.makeLink(m_options.linkPath, error)) {
        m_pty.close();
        return false;
    }
    if (!m_options.logPath.isEmpty() && !m_log.isOpen() && !m_log.open(m_options.logPath, error)) {
        m_pty.close();
        return false;
    }
    return true;
}

bool Simulator::start(QString* error)
{
    if (isRunning())
        return true;
    if (!open(error))
        return false;
    m_stopRequested = false;
    m_nextTelegram = Clock::now();
    m_thread = std::thread([this] { run(); });
    return true;
}

void Simulator::stop()
{
    if (m_thread.joinable()) {
        m_stopRequested = true;
        m_thread.join();
    }
    std::lock_guard lock(m_mutex);
    if (m_dirty)
        saveLocked(nullptr);
    m_pty.close();
}

QString Simulator::devicePath() const
{
    std::lock_guard lock(m_mutex);
    return m_pty.slavePath();
}

QString Simulator::linkPath() const
{
    std::lock_guard lock(m_mutex);
    return m_pty.linkPath();
}

void Simulator::presentChip(const QByteArray& hex)
{
    std::lock_guard lock(m_mutex);
    m_state.chip = hex.toUpper();
    m_nextTelegram = Clock::now();
    if (!m_state.converter)
        m_log.write("TX-ANTENNA", antennaTelegram(m_state.chip));
    markChanged();
}

void Simulator::removeChip()
{
    std::lock_guard lock(m_mutex);
    m_state.chip.clear();
    markChanged();
}

void Simulator::setConverter(bool present)
{
    std::lock_guard lock(m_mutex);
    m_state.converter = present;
    markChanged();
}

void Simulator::setLineDelay(bool on)
{
    std::lock_guard lock(m_mutex);
    m_options.lineDelay = on;
}

void Simulator::changeFaults(const std::function<void(Faults&)>& change)
{
    std::lock_guard lock(m_mutex);
    change(m_faults);
}

Faults Simulator::faults() const
{
    std::lock_guard lock(m_mutex);
    return m_faults;
}

SimState Simulator::state() const
{
    std::lock_guard lock(m_mutex);
    return m_state;
}

void Simulator::setState(const SimState& state)
{
    std::lock_guard lock(m_mutex);
    m_state = state;
    markChanged();
}

bool Simulator::save(QString* error)
{
    std::lock_guard lock(m_mutex);
    return saveLocked(error);
}

bool Simulator::saveLocked(QString* error)
{
    m_dirty = false;
    if (m_options.statePath.isEmpty())
        return true;
    return saveState(m_options.statePath, m_state, error);
}

int Simulator::framesReceived() const
{
    std::lock_guard lock(m_mutex);
    return m_frames;
}

void Simulator::run()
{
    while (!m_stopRequested) {
        int fd;
        int timeout;
        {
            std::lock_guard lock(m_mutex);
            fd = m_pty.masterFd();
            timeout = msUntilNextEvent();
        }
        pollfd p {fd, POLLIN, 0};
        const int ready = ::poll(fd >= 0 ? &p : nullptr, fd >= 0 ? 1 : 0, timeout);
        const bool readable = ready > 0 && (p.revents & POLLIN);
        if ((readable && !receive()) || (ready > 0 && !readable))
            ::poll(nullptr, 0, kIdlePollMs); // a broken line: wait instead of spinning on it
        service();
    }
}

int Simulator::msUntilNextEvent() const
{
    const Clock::time_point now = Clock::now();
    Clock::time_point next = now + std::chrono::milliseconds(kIdlePollMs);
    if (!m_outgoing.empty())
        next = std::min(next, m_outgoing.front().due);
    if (m_chipWaitUntil)
        next = std::min(next, *m_chipWaitUntil);
    if (!m_state.chip.isEmpty() && !m_state.converter)
        next = std::min(next, m_nextTelegram);
    const auto wait = std::chrono::duration_cast<std::chrono::microseconds>(next - now).count();
    return wait <= 0 ? 0 : int((wait + 999) / 1000);
}

bool Simulator::receive()
{
    std::lock_guard lock(m_mutex);
    bool lineGone = false;
    const QByteArray bytes = m_pty.readAvailable(&lineGone);
    if (bytes.isEmpty())
        return !lineGone;
    const Clock::time_point now = Clock::now();
    if (!m_receiver.isIdle() && now - m_inputTime > kTornInputSilence) {
        m_log.note(QStringLiteral("half-received input dropped after a silence"));
        m_receiver.reset();
        m_uploadTexts.clear();  // a stopped upload must not lend its texts to the next one
    }
    m_inputTime = now;
    m_receiver.feed(bytes);
    return true;
}

void Simulator::service()
{
    std::lock_guard lock(m_mutex);
    const Clock::time_point now = Clock::now();
    while (!m_outgoing.empty() && m_outgoing.front().due <= now) {
        const Outgoing out = m_outgoing.front();
        m_outgoing.pop_front();
        if (m_pty.writeAll(out.bytes))
            m_log.write(out.tag, out.logBytes);
    }
    if (m_chipWaitUntil)
        answerChipWait(now);
    if (!m_state.chip.isEmpty() && !m_state.converter && now >= m_nextTelegram)
        sendTelegram(now);
    if (m_closeLine) {
        m_closeLine = false;
        m_outgoing.clear();
        m_pty.close();
        m_log.note(QStringLiteral("line closed"));
    }
    if (m_dirty && m_outgoing.empty())
        saveLocked(nullptr);
}

void Simulator::schedule(const QByteArray& bytes, int requestBytes, const char* tag, const QByteArray& logBytes)
{
    if (bytes.isEmpty() || m_faults.silent || m_faults.vanished)
        return;
    Clock::time_point due = m_inputTime + std::chrono::milliseconds(m_faults.extraDelayMs);
    if (m_options.lineDelay)
        due += lineTime(requestBytes + bytes.size(), m_options.baud);
    const auto at = std::upper_bound(m_outgoing.begin(), m_outgoing.end(), due,
                                     [](Clock::time_point t, const Outgoing& o) { return t < o.due; });
    m_outgoing.insert(at, Outgoing {due, bytes, logBytes, tag});
}

void Simulator::sendFramed(const QByteArray& reply, int requestBytes)
{
    QByteArray bytes = envelope::encode(reply);
    if (bytes.isEmpty())
        return;
    if (m_faults.garbleNextReply())
        bytes[bytes.size() - 1] = char(uint8_t(bytes.back()) ^ 0x5A);
    schedule(bytes, requestBytes, "TX", reply);
}

void Simulator::answerChipWait(Clock::time_point now)
{
    if (!m_state.chip.isEmpty() || now >= *m_chipWaitUntil) {
        m_chipWaitUntil.reset();
        m_inputTime = now;
        sendFramed(chipReply(m_state.chip), 0);
    }
}

void Simulator::sendTelegram(Clock::time_point now)
{
    m_nextTelegram = now + std::chrono::milliseconds(kTelegramIntervalMs);
    if (m_faults.silent || m_faults.vanished)
        return;
    m_pty.dropBacklog(kTelegramBacklogLimit);
    m_pty.writeAll(antennaTelegram(m_state.chip), 50);
}

LineListener::LineKind Simulator::expectedLine() const
{
    return m_transfer.expectedLine();
}

void Simulator::frameReceived(const QByteArray& payload, bool checksumOk, const QByteArray& raw)
{
    if (!checksumOk) {
        m_log.write("RX-BADSUM", raw);
        return;
    }
    m_log.write("RX", payload);
    ++m_frames;
    m_chipWaitUntil.reset();
    if (m_faults.countFrame()) {
        if (m_faults.vanishClosesLine && m_pty.isOpen())
            m_closeLine = true;
        return;
    }
    if (payload.size() < 4)
        return;
    const uint8_t command = uint8_t(payload[2]);
    const bool forConverter = uint8_t(payload[1]) == 0x00;
    if (forConverter && !m_state.converter)
        return; // no converter on this line: nobody answers
    if (const auto status = m_faults.refusalFor(payload)) {
        sendFramed(forConverter ? converterReply(command, 0, *status) : clockReply(command, 0, *status), int(raw.size()));
        return;
    }
    if (forConverter) {
        if (command == kConverterReadChip && m_state.chip.isEmpty()) {
            m_chipWaitUntil = m_inputTime + std::chrono::milliseconds(m_state.converterWaitMs);
            return;
        }
        const QByteArray reply = command == kConverterReadChip ? chipReply(m_state.chip) : answerConverterRequest(payload);
        sendFramed(reply, int(raw.size()));
        return;
    }
    bool changed = false;
    const QByteArray reply = answerClockRequest(payload, m_state, &changed);
    if (changed)
        markChanged();
    sendFramed(reply, int(raw.size()));
}

void Simulator::stageReceived(uint8_t code)
{
    m_log.write("RX-STAGE", QByteArray(1, char(code)));
    if (code == 1)
        m_faults.transferStarted();
    if (m_faults.refusedStages.contains(code)) {
        schedule("N\r", 2, "TX-LINE", "N\r");
        return;
    }
    bool changed = false;
    const QByteArray answer = m_transfer.stage(code, &changed);
    if (changed)
        markChanged();
    schedule(answer, 2, "TX-LINE", answer);
}

void Simulator::lineReceived(const QByteArray& text, bool checksumOk, const QByteArray& raw)
{
    m_log.write("RX-LINE", raw);
    if (m_faults.refuseNextLine())
        checksumOk = false;
    bool changed = false;
    const QByteArray answer = m_transfer.line(text, checksumOk, &changed);
    if (changed)
        markChanged();
    schedule(answer, int(raw.size()), "TX-LINE", answer);
}

void Simulator::languageTextReceived(const QByteArray& text)
{
    m_log.write("RX-TEXT", text);
    m_uploadTexts.append(text);
}

void Simulator::languageUploadEnded()
{
    m_log.write("RX-TEXT-END", {});
    m_state.languageTexts = m_uploadTexts;
    m_uploadTexts.clear();
    ++m_state.languageUploads;
    markChanged();
}

} // namespace durvek::clocksim
