#pragma once
#include <QByteArray>
#include <QString>
#include <memory>

namespace durvek {

// A serial line as the protocol code sees it. The real one sits on
// QSerialPort (SerialTransport); tests may put anything behind it.
// Every transport runs at 9600 baud, 8 data bits, no parity, 1 stop bit,
// no flow control.
class Transport {
public:
    virtual ~Transport() = default;

    // Opens the device. Returns false and fills error when it cannot be
    // opened or configured. Opening an open transport on the same device is a no-op.
    virtual bool open(const QString& device, QString* error = nullptr) = 0;
    virtual bool isOpen() const = 0;
    virtual QString device() const = 0;

    // RTS line; a device without modem lines (a pseudo-terminal) ignores it.
    virtual void setRts(bool on) = 0;

    // Writes all bytes and waits until they have left. False on a line fault.
    virtual bool write(const QByteArray& bytes) = 0;

    // Waits up to timeoutMs for at least one byte and returns what has arrived
    // (possibly empty). A line fault (device gone) closes the transport and
    // sets faulted(); it never spins.
    virtual QByteArray read(int timeoutMs) = 0;

    // Bytes waiting to be read, without blocking.
    virtual qint64 bytesAvailable() = 0;

    // Discards pending input.
    virtual void purge() = 0;
    virtual void close() = 0;

    // True after a read or write failed because the line went away.
    virtual bool faulted() const = 0;
};

using TransportPtr = std::unique_ptr<Transport>;

} // namespace durvek
