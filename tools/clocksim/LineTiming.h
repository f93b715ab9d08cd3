#pragma once
#include <chrono>

namespace durvek::clocksim {

// Time bytes take on an asynchronous serial line: one start bit, eight data
// bits and one stop bit per byte.
inline std::chrono::microseconds lineTime(long long bytes, int baud)
{
    if (baud <= 0)
        return std::chrono::microseconds(0);
    return std::chrono::microseconds(bytes * 10 * 1000000LL / baud);
}

} // namespace durvek::clocksim
