#include "clocklink/SerialTransport.h"
#include <QSerialPort>
#include <QTimer>

namespace durvek {

namespace {

constexpr int kWriteTimeoutMs = 5000;

bool isLineFault(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ReadError || error == QSerialPort::WriteError
        || error == QSerialPort::ResourceError;
}

} // namespace

SerialTransport::SerialTransport()
    : m_port(new QSerialPort)
{
    // A vanished peer makes the port report a read error over and over while
    // it still counts as open. The first report is enough: remember it and
    // close outside the notification that raised it.
    QObject::connect(m_port, &QSerialPort::errorOccurred, &m_context,
                     [this](QSerialPort::SerialPortError e) { onError(int(e)); });
}

SerialTransport::~SerialTransport()
{
    m_port->close();
    delete m_port;
}

bool SerialTransport::open(const QString& device, QString* error)
{
    if (m_port->isOpen() && device == m_device && !m_faulted)
        return true;
    close();
    m_faulted = false;
    m_device = device;
    m_port->setPortName(device);
    if (!m_port->open(QIODevice::ReadWrite)) {
        if (error)
            *error = m_port->errorString();
        m_port->clearError();
        return false;
    }
    if (!configure(error)) {
        close();
        return false;
    }
    return true;
}

bool SerialTransport::configure(QString* error)
{
    const bool ok = m_port->setBaudRate(QSerialPort::Baud9600) && m_port->setDataBits(QSerialPort::Data8)
        && m_port->setParity(QSerialPort::NoParity) && m_port->setStopBits(QSerialPort::OneStop)
        && m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok && error)
        *error = m_port->errorString();
    m_port->clearError();
    return ok;
}

bool SerialTransport::isOpen() const { return m_port->isOpen() && !m_faulted; }

QString SerialTransport::device() const { return m_device; }

void SerialTransport::setRts(bool on)
{
    if (!isOpen())
        return;
    // A pseudo-terminal has no modem lines and answers with an
    // unsupported-operation error: that is no fault of the line.
    if (!m_port->setRequestToSend(on))
        m_port->clearError();
}

bool SerialTransport::write(const QByteArray& bytes)
{
    if (!isOpen())
        return false;
    if (m_port->write(bytes) != bytes.size()) {
        fault();
        return false;
    }
    while (m_port->bytesToWrite() > 0) {
        if (!m_port->waitForBytesWritten(kWriteTimeoutMs)) {
            fault();
            return false;
        }
    }
    return !m_faulted;
}

QByteArray SerialTransport::read(int timeoutMs)
{
    if (!isOpen())
        return {};
    if (m_port->bytesAvailable() == 0 && !m_port->waitForReadyRead(qMax(0, timeoutMs))) {
        if (m_faulted || isLineFault(m_port->error())) {
            fault();
            return {};
        }
        m_port->clearError(); // a plain timeout
    }
    return m_port->readAll();
}

qint64 SerialTransport::bytesAvailable()
{
    if (!isOpen())
        return 0;
    if (m_port->bytesAvailable() == 0)
        m_port->waitForReadyRead(0);
    if (m_faulted || isLineFault(m_port->error())) {
        fault();
        return 0;
    }
    m_port->clearError();
    return m_port->bytesAvailable();
}

void SerialTransport::purge()
{
    if (!isOpen())
        return;
    m_port->clear(QSerialPort::Input);
    m_port->readAll();
    m_port->clearError();
}

void SerialTransport::close()
{
    if (m_port->isOpen())
        m_port->close();
    m_port->clearError();
}

bool SerialTransport::faulted() const { return m_faulted; }

void SerialTransport::onError(int error)
{
    if (m_faulted || !isLineFault(QSerialPort::SerialPortError(error)))
        return;
    m_faulted = true;
    // Closing inside the port's own notification is not safe; the next
    // turn of the event loop does it, and until then every call sees the fault.
    QTimer::singleShot(0, &m_context, [this] {
        if (m_faulted)
            close();
    });
}

void SerialTransport::fault()
{
    m_faulted = true;
    close();
}

} // namespace durvek
