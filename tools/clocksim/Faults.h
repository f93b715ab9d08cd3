#pragma once
#include <QByteArray>
#include <QList>
#include <cstdint>
#include <optional>

namespace durvek::clocksim {

enum class RefusalScope { Any, Read, Write };

struct Refusal {
    uint8_t command = 0;
    uint8_t status = 0;
    RefusalScope scope = RefusalScope::Any;
};

// Faults a test or a person switches on to see how the program copes with a
// troubled line or device.
class Faults {
public:
    bool silent = false;        // nothing at all goes out
    int extraDelayMs = 0;       // added to every answer
    int garbleEvery = 0;        // every n-th framed reply gets a wrong checksum (0: never)
    QList<Refusal> refusals;    // answer these commands with a status and no data
    int vanishAfter = -1;       // frames still answered before the device disappears (-1: never)
    bool vanishClosesLine = false; // disappear by closing the line instead of going quiet
    bool vanished = false;
    QList<uint8_t> refusedStages; // direct-line stage codes answered "N" instead of "J"
    // Text lines of a club data transfer, numbered from its start stage (1 =
    // the header), answered "N" as if their checksum were wrong.
    QList<int> refusedLines;

    void clear();

    // The refusal status for a request, if one is set for its command.
    std::optional<uint8_t> refusalFor(const QByteArray& request) const;
    // Counts a framed reply; true when this one is to be garbled.
    bool garbleNextReply();
    // Counts a received frame against vanishAfter; true once the device is gone.
    bool countFrame();
    // The start stage of a club data transfer: line numbers begin again.
    void transferStarted() { m_linesCounted = 0; }
    // Counts a text line of the transfer; true when this one is to be refused.
    bool refuseNextLine();

    static bool isWrite(const QByteArray& request);

private:
    int m_repliesCounted = 0;
    int m_linesCounted = 0;
};

} // namespace durvek::clocksim
