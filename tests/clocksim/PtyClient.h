#pragma once
// The program's end of the simulator's pseudo-terminal, for tests: raw bytes
// in and out, with the line envelope applied where asked.
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace durvek::clocksim::test {

class PtyClient {
public:
    explicit PtyClient(const QString& device)
    {
        m_fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd >= 0) {
            termios tio {};
            tcgetattr(m_fd, &tio);
            cfmakeraw(&tio);
            tcsetattr(m_fd, TCSANOW, &tio);
            tcflush(m_fd, TCIFLUSH);
        }
    }
    ~PtyClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool isOpen() const { return m_fd >= 0; }

    void send(const QByteArray& bytes)
    {
        int done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (put > 0)
                done += int(put);
            else
                waitFor(POLLOUT, 100);
        }
    }

    // Reads until count bytes arrived or timeoutMs passed.
    QByteArray receive(int count, int timeoutMs)
    {
        QByteArray out;
        QElapsedTimer timer;
        timer.start();
        while (out.size() < count) {
            const int left = timeoutMs - int(timer.elapsed());
            if (left <= 0 || !waitFor(POLLIN, left))
                break;
            char buffer[512];
            const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
            if (got > 0)
                out.append(buffer, int(got));
        }
        return out;
    }

    // Everything that arrives within timeoutMs.
    QByteArray receiveFor(int timeoutMs) { return receive(1 << 20, timeoutMs); }

    static QByteArray envelope(const QByteArray& payload)
    {
        unsigned sum = unsigned(payload.size());
        for (char c : payload)
            sum += uint8_t(c);
        return QByteArray(1, '\x02') + char(payload.size()) + payload + char(sum & 0xFF);
    }

    // Sends a request frame in its envelope and returns the reply's whole
    // envelope (empty when none came in time).
    QByteArray exchangeRaw(const QByteArray& frame, int timeoutMs = 2000)
    {
        send(envelope(frame));
        QByteArray got = receive(2, timeoutMs);
        if (got.size() < 2)
            return got;
        const int total = uint8_t(got[1]) + 3;
        if (got.size() < total)
            got += receive(total - int(got.size()), timeoutMs);
        return got;
    }

    // The reply frame inside the envelope; empty when none came or its checksum is wrong.
    QByteArray exchange(const QByteArray& frame, int timeoutMs = 2000)
    {
        const QByteArray raw = exchangeRaw(frame, timeoutMs);
        if (raw.size() < 3 || raw.size() != uint8_t(raw[1]) + 3)
            return {};
        const QByteArray payload = raw.mid(2, uint8_t(raw[1]));
        return envelope(payload) == raw ? payload : QByteArray();
    }

private:
    bool waitFor(short events, int timeoutMs)
    {
        pollfd p {m_fd, events, 0};
        return ::poll(&p, 1, timeoutMs) > 0 && (p.revents & events);
    }

    int m_fd = -1;
};

inline QByteArray hexBytes(const char* hex) { return QByteArray::fromHex(hex); }

} // namespace durvek::clocksim::test
