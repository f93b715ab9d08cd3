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
    // The library's result, or 5 when the clock answered that it does not
    // know the request (a clock of another model than the one chosen).
    uint16_t lineResult() const;
};

// One exchange of the frame in SendFrame: the reply buffer is zeroed
// (129 bytes), then WinOmnexa carries the frame.
ExchangeOutcome exchangeFrame(ClockLibrary& library, uint8_t port, uint8_t lineMode, int timeoutMs);

// The status line text for a line result: its number and its plain words
// (catalogue texts through text, or the program's catalogue when empty).
QString resultStatusText(uint16_t result, const QString& device, const TextLookup& text = {});

} // namespace durvek
