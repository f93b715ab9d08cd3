#include "PseudoTerminal.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace durvek::clocksim {

namespace {

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what), QString::fromLocal8Bit(std::strerror(errno)));
}

bool makeRaw(int fd)
{
    termios tio {};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

} // namespace

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open(QString* error)
{
    close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        if (error)
            *error = systemError("posix_openpt");
        return false;
    }
    char* name = nullptr;
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0 || (name = ptsname(m_master)) == nullptr) {
        if (error)
            *error = systemError("pseudo-terminal set-up");
        close();
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slave < 0 || !makeRaw(m_slave)) {
        if (error)
            *error = systemError("pseudo-terminal slave");
        close();
        return false;
    }
    const int flags = fcntl(m_master, F_GETFL);
    fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
    return true;
}

void PseudoTerminal::close()
{
    removeLink();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}

bool PseudoTerminal::makeLink(const QString& path, QString* error)
{
    const QFileInfo existing(path);
    if (existing.isSymLink()) {
        QFile::remove(path);
    } else if (existing.exists()) {
        if (error)
            *error = QStringLiteral("%1 exists and is not a symbolic link").arg(path);
        return false;
    }
    if (symlink(m_slavePath.toLocal8Bit().constData(), path.toLocal8Bit().constData()) != 0) {
        if (error)
            *error = systemError("symlink");
        return false;
    }
    m_linkPath = path;
    return true;
}

void PseudoTerminal::removeLink()
{
    if (m_linkPath.isEmpty())
        return;
    // Only our own link goes: another simulator may have taken the name since.
    if (QFileInfo(m_linkPath).symLinkTarget() == m_slavePath)
        ::unlink(m_linkPath.toLocal8Bit().constData());
    m_linkPath.clear();
}

QByteArray PseudoTerminal::readAvailable(bool* lineGone)
{
    *lineGone = false;
    QByteArray out;
    if (m_master < 0) {
        *lineGone = true;
        return out;
    }
    char buffer[512];
    for (;;) {
        const ssize_t got = ::read(m_master, buffer, sizeof buffer);
        if (got > 0) {
            out.append(buffer, int(got));
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            *lineGone = out.isEmpty();
        break;
    }
    return out;
}

bool PseudoTerminal::writeAll(const QByteArray& bytes, int timeoutMs)
{
    int done = 0;
    while (done < bytes.size()) {
        if (m_master < 0)
            return false;
        const ssize_t put = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (put > 0) {
            done += int(put);
            continue;
        }
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        pollfd p {m_master, POLLOUT, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            return false;
    }
    return true;
}

void PseudoTerminal::dropBacklog(int limitBytes)
{
    if (m_slave < 0)
        return;
    int waiting = 0;
    if (ioctl(m_slave, FIONREAD, &waiting) == 0 && waiting > limitBytes)
        tcflush(m_slave, TCIFLUSH);
}

} // namespace durvek::clocksim
