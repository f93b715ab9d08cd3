#pragma once
#include <QByteArray>
#include <QString>

namespace durvek::clocksim {

// The device end of a pseudo-terminal pair: the program opens the slave path
// as if it were a serial port. The simulator keeps the slave open itself as
// well, so a client closing its end never leaves the master without a slave
// (which would answer every read with EIO).
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool open(QString* error);
    void close();
    bool isOpen() const { return m_master >= 0; }

    int masterFd() const { return m_master; }
    QString slavePath() const { return m_slavePath; }

    // A symbolic link at path pointing to the slave; an existing symbolic link
    // there is replaced, any other file is left alone (false).
    bool makeLink(const QString& path, QString* error);
    void removeLink();
    QString linkPath() const { return m_linkPath; }

    // Reads what has arrived (non-blocking). Empty when nothing did; lineGone
    // is set when the master reports the line as broken.
    QByteArray readAvailable(bool* lineGone);
    // Writes all bytes, waiting up to timeoutMs for room; false when the line
    // cannot take them.
    bool writeAll(const QByteArray& bytes, int timeoutMs = 1000);

    // Throws away input that piled up in the slave while no client read it,
    // so a program that connects later does not get a backlog of telegrams.
    void dropBacklog(int limitBytes);

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_linkPath;
};

} // namespace durvek::clocksim
