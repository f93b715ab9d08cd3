#pragma once
// Test helper: a clock behind a Transport, without any line. It decodes each
// request envelope, records the frame and the line mode it went out with,
// and answers as the script says.
#include "clocklink/Transport.h"
#include <QByteArray>
#include <QList>
#include <functional>
#include <memory>
#include <optional>

namespace durvek::test {

struct SentFrame {
    QByteArray frame;
    bool rts = false; // line mode 1
};

struct FakeClockState {
    // Reply frame for a request frame; nullopt: the clock stays silent.
    std::function<std::optional<QByteArray>(const QByteArray& frame)> script;
    QList<SentFrame> sent;
    bool openFails = false;
    bool garbleReplies = false; // replies arrive with a wrong checksum
    int opens = 0;
};

class FakeClockTransport : public Transport {
public:
    explicit FakeClockTransport(std::shared_ptr<FakeClockState> state);

    bool open(const QString& device, QString* error) override;
    bool isOpen() const override { return m_open; }
    QString device() const override { return m_device; }
    void setRts(bool on) override { m_rts = on; }
    bool write(const QByteArray& bytes) override;
    QByteArray read(int timeoutMs) override;
    qint64 bytesAvailable() override { return m_pending.size(); }
    void purge() override { m_pending.clear(); }
    void close() override { m_open = false; }
    bool faulted() const override { return false; }

private:
    std::shared_ptr<FakeClockState> m_state;
    QString m_device;
    QByteArray m_pending;
    bool m_open = false;
    bool m_rts = false;
};

// Reply frame 6C 82 cmd N status data, N being the length of the data.
QByteArray replyFrame(uint8_t command, uint8_t status, const QByteArray& data = QByteArray());

} // namespace durvek::test
