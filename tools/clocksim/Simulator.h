#pragma once
#include "ClubTransfer.h"
#include "Faults.h"
#include "FrameLog.h"
#include "LineReceiver.h"
#include "PseudoTerminal.h"
#include "SimState.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace durvek::clocksim {

struct SimulatorOptions {
    bool lineDelay = true;  // answer only after the request and answer would have crossed the line
    int baud = 9600;
    QString statePath;      // read by the caller, written back after every change and at stop
    QString logPath;        // hex log of every frame
    QString linkPath;       // stable symbolic link to the device
};

// The devices on one pseudo-terminal: a clock of the chosen model, the
// converter, the antenna, and the clock's side of the direct line. It runs on
// a thread of its own; every public call is safe from any other thread.
class Simulator : private LineListener {
public:
    using Clock = std::chrono::steady_clock;

    explicit Simulator(SimState state = SimState(), SimulatorOptions options = SimulatorOptions());
    ~Simulator() override;

    // Creates the pseudo-terminal (and link and log); start() does it when needed.
    bool open(QString* error = nullptr);
    bool start(QString* error = nullptr);
    void stop();
    bool isRunning() const { return m_thread.joinable(); }

    QString devicePath() const;
    QString linkPath() const;

    // A run-time command line ("chip 0A1B2C3D", "fault silence on", ...);
    // returns "ok" or a message starting with "error:".
    QString command(const QString& line);

    void presentChip(const QByteArray& hex);
    void removeChip();
    void setConverter(bool present);
    void setLineDelay(bool on);
    void changeFaults(const std::function<void(Faults&)>& change);
    Faults faults() const;

    SimState state() const;
    void setState(const SimState& state);
    bool save(QString* error = nullptr);
    int framesReceived() const;

private:
    struct Outgoing {
        Clock::time_point due;
        QByteArray bytes;
        QByteArray logBytes;
        const char* tag;
    };

    void run();
    // False when the line reported itself broken.
    bool receive();
    void service();
    int msUntilNextEvent() const;

    void schedule(const QByteArray& bytes, int requestBytes, const char* tag, const QByteArray& logBytes);
    void sendFramed(const QByteArray& reply, int requestBytes);
    void answerChipWait(Clock::time_point now);
    void sendTelegram(Clock::time_point now);
    void markChanged() { m_dirty = true; }
    bool saveLocked(QString* error);

    // LineListener
    LineKind expectedLine() const override;
    void frameReceived(const QByteArray& payload, bool checksumOk, const QByteArray& raw) override;
    void stageReceived(uint8_t code) override;
    void lineReceived(const QByteArray& text, bool checksumOk, const QByteArray& raw) override;
    void languageTextReceived(const QByteArray& text) override;
    void languageUploadEnded() override;

    mutable std::mutex m_mutex;
    std::thread m_thread;
    std::atomic<bool> m_stopRequested {false};

    SimState m_state;
    SimulatorOptions m_options;
    Faults m_faults;
    PseudoTerminal m_pty;
    FrameLog m_log;
    LineReceiver m_receiver {*this};
    ClubTransfer m_transfer {m_state};

    std::deque<Outgoing> m_outgoing;
    Clock::time_point m_inputTime;
    std::optional<Clock::time_point> m_chipWaitUntil;
    Clock::time_point m_nextTelegram;
    QList<QByteArray> m_uploadTexts;
    bool m_dirty = false;
    bool m_closeLine = false;
    int m_frames = 0;
};

} // namespace durvek::clocksim
