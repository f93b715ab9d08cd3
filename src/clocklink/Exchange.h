#pragma once
#include "clocklink/LinkResult.h"
#include <QString>
#include <cstdint>

namespace durvek {

class ClockLibrary;

// What one exchange gave: the library's result and the reply's status byte.
struct ExchangeOutcome {
    uint16_t result = 0;
    uint8_t status = 0;

    bool done() const { return result == 0 && status == 0; }
};

// One exchange of the frame in SendFrame: the reply buffer is zeroed
// (129 bytes), then WinOmnexa carries the frame.
ExchangeOutcome exchangeFrame(ClockLibrary& library, uint8_t port, uint8_t lineMode, int timeoutMs);

// The status line text for a library result: its number, and for a port that
// cannot be opened a plain hint naming the device.
QString resultStatusText(uint16_t result, const QString& device);

} // namespace durvek
