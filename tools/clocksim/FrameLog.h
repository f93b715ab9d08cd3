#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <mutex>

namespace durvek::clocksim {

// One line per frame, in hex, flushed at once so a test can read it while the
// simulator runs:
//   RX 6C 82 50 01 00        a framed request (the frame inside the envelope)
//   RX-BADSUM 02 05 ...      an envelope whose checksum was wrong (all its bytes)
//   TX 6C 82 50 14 00 ...    a framed reply
//   RX-STAGE 01              ESC and a stage code of the club data transfer
//   RX-LINE 41 42 0D 33      a transfer line (CR and checksum included)
//   TX-LINE 4A 0D            what the clock sent on the direct line
//   RX-TEXT 48 61            a language text (without its NUL); RX-TEXT-END at the closing ESC
//   TX-ANTENNA 02 ...        the telegram the antenna starts repeating
class FrameLog {
public:
    bool open(const QString& path, QString* error);
    void write(const char* tag, const QByteArray& bytes);
    void note(const QString& text);
    bool isOpen() const { return m_file.isOpen(); }

    static QByteArray hex(const QByteArray& bytes);

private:
    QFile m_file;
    std::mutex m_mutex;
};

} // namespace durvek::clocksim
