#pragma once
#include <QDateTime>

namespace durvek {

// What the secretary notes when a clock comes back: the time the clock was
// set at basketing, the moment of the check against the reference time and
// how many seconds the clock was fast then (slow: negative).
struct ClockCheck {
    QDateTime setAt;
    QDateTime checkedAt;
    int deviationSeconds = 0;

    // The time the clock showed, corrected on the assumption that its drift
    // grew evenly from nothing at basketing to the deviation at the check;
    // rounded to the second. A check not after the setting corrects nothing.
    QDateTime corrected(const QDateTime& shown) const;
};

} // namespace durvek
