#pragma once
// Test helper: the real serial transport with a record of what the program
// did to it (bytes written, RTS changes, opens), and a way to make it fail.
#include "clocklink/SerialTransport.h"
#include <QList>
#include <memory>

namespace durvek::test {

struct TransportRecord {
    QByteArray written;
    QList<bool> rts;
    int opens = 0;
    bool refuseOpen = false;
    int breakAfterBytes = -1;  // -1: never; else writes fail once this many bytes went out
};

class RecordingTransport : public Transport {
public:
    explicit RecordingTransport(std::shared_ptr<TransportRecord> record)
        : m_record(std::move(record))
    {
    }

    bool open(const QString& device, QString* error) override
    {
        ++m_record->opens;
        if (m_record->refuseOpen) {
            if (error)
                *error = QStringLiteral("refused by the test");
            return false;
        }
        return m_real.open(device, error);
    }
    bool isOpen() const override { return m_real.isOpen(); }
    QString device() const override { return m_real.device(); }
    void setRts(bool on) override
    {
        m_record->rts << on;
        m_real.setRts(on);
    }
    bool write(const QByteArray& bytes) override
    {
        if (m_record->breakAfterBytes >= 0 && m_record->written.size() >= m_record->breakAfterBytes) {
            m_real.close();
            return false;
        }
        m_record->written += bytes;
        return m_real.write(bytes);
    }
    QByteArray read(int timeoutMs) override { return m_real.read(timeoutMs); }
    qint64 bytesAvailable() override { return m_real.bytesAvailable(); }
    void purge() override { m_real.purge(); }
    void close() override { m_real.close(); }
    bool faulted() const override { return m_real.faulted(); }

private:
    std::shared_ptr<TransportRecord> m_record;
    SerialTransport m_real;
};

} // namespace durvek::test
