#include "PtyPeer.h"
#include "FakeClock.h"
#include "clocklink/Envelope.h"
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace durvek::test {

PtyPeer::PtyPeer()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return;
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        ::close(m_master);
        m_master = -1;
        return;
    }
    m_path = QString::fromLocal8Bit(ptsname(m_master));
    // Raw from the start, so nothing is echoed or translated before the
    // program's port sets its own modes.
    const int slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
    if (slave >= 0) {
        termios t{};
        tcgetattr(slave, &t);
        cfmakeraw(&t);
        tcsetattr(slave, TCSANOW, &t);
        ::close(slave);
    }
}

PtyPeer::~PtyPeer()
{
    stop();
    hangUp();
}

void PtyPeer::start(Responder responder)
{
    stop();
    m_stop = false;
    m_thread = std::thread([this, responder] { run(responder); });
}

void PtyPeer::startRepeating(QByteArray bytes, int periodMs)
{
    stop();
    m_stop = false;
    m_thread = std::thread([this, bytes, periodMs] { repeat(bytes, periodMs); });
}

void PtyPeer::stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void PtyPeer::write(const QByteArray& bytes)
{
    if (m_master >= 0 && !bytes.isEmpty())
        (void)!::write(m_master, bytes.constData(), size_t(bytes.size()));
}

void PtyPeer::hangUp()
{
    const int fd = m_master.exchange(-1);
    if (fd >= 0)
        ::close(fd);
}

QByteArray PtyPeer::received() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_received;
}

void PtyPeer::run(Responder responder)
{
    QByteArray inbox;
    while (!m_stop && m_master >= 0) {
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN))
            continue;
        char chunk[512];
        const ssize_t n = ::read(m_master, chunk, sizeof chunk);
        if (n <= 0)
            continue; // no one on the other end right now
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_received.append(chunk, int(n));
        }
        inbox.append(chunk, int(n));
        const Action action = responder(inbox);
        if (action.delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(action.delayMs));
        if (action.hangUp) {
            hangUp();
            return;
        }
        write(action.reply);
    }
}

void PtyPeer::repeat(QByteArray bytes, int periodMs)
{
    while (!m_stop && m_master >= 0) {
        write(bytes);
        for (int waited = 0; waited < periodMs && !m_stop; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

PtyPeer::Responder PtyPeer::envelopes(std::function<Action(const QByteArray& frame)> answer)
{
    return [answer](QByteArray& inbox) {
        Action all;
        for (;;) {
            const envelope::Decoded d = envelope::decodeFront(inbox);
            if (d.state == envelope::DecodeState::NeedMore)
                break;
            inbox.remove(0, d.consumed);
            if (d.state == envelope::DecodeState::Whole) {
                const Action a = answer(d.payload);
                all.reply += a.reply;
                all.delayMs = std::max(all.delayMs, a.delayMs);
                all.hangUp = all.hangUp || a.hangUp;
            }
        }
        return all;
    };
}

QByteArray wrap(const QByteArray& payload) { return envelope::encode(payload); }

QByteArray clockReply(uint8_t command, uint8_t status, const QByteArray& data)
{
    return wrap(replyFrame(command, status, data));
}

} // namespace durvek::test
