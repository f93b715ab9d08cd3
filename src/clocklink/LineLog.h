#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>

namespace durvek {

// Diagnostic trace of the serial line: every exchange in hex, one line per
// event, with a timestamp, the direction, the device and the result. Lines
// are appended and flushed at once so a trace survives a crash or a pulled
// cable, which is when a club needs it.
class LineLog {
public:
    enum class Direction { Sent, Received };

    LineLog() = default;
    ~LineLog();
    LineLog(const LineLog&) = delete;
    LineLog& operator=(const LineLog&) = delete;

    // Starts logging to the file (appending). False when it cannot be opened.
    bool open(const QString& path);
    void close();
    bool isOn() const;

    void bytes(Direction direction, const QString& device, const QByteArray& data);
    // The outcome of one call: its result number and a short note.
    void result(const QString& device, int result, const QString& note = QString());
    void note(const QString& device, const QString& text);

    static QString hex(const QByteArray& data);

private:
    void writeLine(const QString& device, const QString& kind, const QString& text);
    QFile m_file;
};

// The program's one trace (off until opened).
LineLog& lineLog();

} // namespace durvek
