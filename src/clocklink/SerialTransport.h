#pragma once
#include "clocklink/Transport.h"
#include <QObject>

class QSerialPort;

namespace durvek {

// The serial line on a real port (or a pseudo-terminal, opened by its full
// path). Every user of a serial device goes through this class.
class SerialTransport : public Transport {
public:
    SerialTransport();
    ~SerialTransport() override;

    bool open(const QString& device, QString* error = nullptr) override;
    bool isOpen() const override;
    QString device() const override;
    void setRts(bool on) override;
    bool write(const QByteArray& bytes) override;
    QByteArray read(int timeoutMs) override;
    qint64 bytesAvailable() override;
    void purge() override;
    void close() override;
    bool faulted() const override;

private:
    bool configure(QString* error);
    void onError(int error);
    void fault();

    QSerialPort* m_port;
    QObject m_context;       // owner of the error connection
    QString m_device;
    bool m_faulted = false;
};

} // namespace durvek
