#pragma once
#include "clocklink/Transport.h"
#include "common/ClubSettings.h"
#include <QByteArray>
#include <QString>
#include <functional>

namespace durvek {

class ClockLibrary;
class LineLog;

// The plain text line of the club data transfer and the clock language
// upload: open, send, wait for an answer, close. It runs on the device of the
// configured port, like the framed link, so a clock cradle on any port works.
class DirectLine {
public:
    using TransportFactory = std::function<TransportPtr()>;

    explicit DirectLine(ClockLibrary& library);
    DirectLine();  // on the program's library
    ~DirectLine();
    DirectLine(const DirectLine&) = delete;
    DirectLine& operator=(const DirectLine&) = delete;

    void setTransportFactory(TransportFactory factory);
    void setLineLog(LineLog* log);

    // Closes the line if it is open, makes the clock library let go of the
    // device, opens it and throws away whatever input was waiting.
    bool open(const QString& device, QString* error = nullptr);
    // The device of the settings' port.
    bool open(const ClubSettings& settings, QString* error = nullptr);
    bool isOpen() const;
    QString device() const;

    void setRts(bool on);

    // Sends one text and waits until it has left. False when the line failed.
    bool send(const QByteArray& bytes);
    bool send(const QString& text);  // as ANSI bytes

    // Lets events run until more than threshold bytes have arrived or aborted()
    // says stop, then reads everything there is and appends it to answer.
    // False when aborted or the line failed before enough bytes came.
    bool waitForAnswer(QByteArray& answer, const std::function<void()>& pumpEvents,
                       const std::function<bool()>& aborted, int threshold = 1);

    // Whatever has arrived so far, without waiting.
    QByteArray readAvailable();

    void close();

private:
    QByteArray drain();

    ClockLibrary& m_library;
    TransportFactory m_factory;
    TransportPtr m_transport;
    LineLog* m_log;
    QByteArray m_pending;  // arrived while waiting, not yet handed out
};

} // namespace durvek
