#pragma once
// Test helper: the far end of a real pseudo-terminal, answering from a thread
// of its own, so the program's serial code runs over a real line.
#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

namespace durvek::test {

class PtyPeer {
public:
    struct Action {
        QByteArray reply;   // written as is (envelope, noise, garbage)
        int delayMs = 0;    // before the reply
        bool hangUp = false; // close the far end instead of answering
    };
    // Gets everything received and not yet consumed; removes what it handled.
    using Responder = std::function<Action(QByteArray& inbox)>;

    PtyPeer();
    ~PtyPeer();

    bool isOpen() const { return m_master >= 0; }
    QString devicePath() const { return m_path; }

    // Answers every request as the responder says.
    void start(Responder responder);
    // Writes the bytes again and again (an antenna with a chip in its field).
    void startRepeating(QByteArray bytes, int periodMs);
    void stop();

    void write(const QByteArray& bytes);
    void hangUp();
    QByteArray received() const;

    // A responder that decodes each whole envelope and answers its payload.
    static Responder envelopes(std::function<Action(const QByteArray& frame)> answer);

private:
    void run(Responder responder);
    void repeat(QByteArray bytes, int periodMs);

    std::atomic<int> m_master{-1};
    QString m_path;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    QByteArray m_received;
};

// A reply envelope around a reply frame of a clock: 6C 82 cmd N status data.
QByteArray clockReply(uint8_t command, uint8_t status, const QByteArray& data = QByteArray());
QByteArray wrap(const QByteArray& payload);

} // namespace durvek::test
