#pragma once
// A serial line whose far end is the fuzzer. A framed request is answered
// with a reply built from the input: most often a well-formed reply frame to
// the request's command (so the jobs get past the envelope), sometimes any
// envelope, sometimes raw bytes. A read with nothing pending takes a raw
// chunk; an empty one is silence, which moves the LinkTimer clock on by the
// time the read would have waited. When the input has run out the line
// breaks off at once, so no job ever waits for a reply on the real clock.
#include "FuzzInput.h"
#include "clocklink/Transport.h"
#include <memory>

namespace durvek {
class ClockLibrary;
class DirectLine;
}

namespace durvek::fuzz {

class FuzzLine : public Transport {
public:
    explicit FuzzLine(FuzzInput& input) : m_input(input) {}

    bool open(const QString& device, QString* error) override;
    bool isOpen() const override { return m_open; }
    QString device() const override { return m_device; }
    void setRts(bool) override {}
    bool write(const QByteArray& bytes) override;
    QByteArray read(int timeoutMs) override;
    qint64 bytesAvailable() override;
    void purge() override { m_pending.clear(); }
    void close() override { m_open = false; }
    bool faulted() const override { return m_faulted; }

private:
    FuzzInput& m_input;
    QString m_device;
    QByteArray m_pending;
    bool m_open = false;
    bool m_faulted = false;
};

// Puts the library's port (every port number names the same device) and the
// direct line on the fuzzer's line; both read the same input.
void useFuzzLine(ClockLibrary& library, FuzzInput& input);
void useFuzzLine(DirectLine& line, FuzzInput& input);

} // namespace durvek::fuzz
