#include "clocklink/PauseSchedule.h"
#include <algorithm>

namespace durvek {

PauseSchedule::PauseSchedule(Clock clock)
    : m_clock(std::move(clock))
{
    m_timer.start();
}

qint64 PauseSchedule::now() const { return m_clock ? m_clock() : m_timer.nsecsElapsed(); }

int PauseSchedule::begin(int milliseconds)
{
    constexpr qint64 kNsPerMs = 1000000;
    const qint64 lengthNs = milliseconds * kNsPerMs;
    const qint64 waitNs = std::max(lengthNs - m_lateNs, lengthNs / 2);
    m_deadlineNs = now() + waitNs;
    return int((waitNs + kNsPerMs - 1) / kNsPerMs);
}

void PauseSchedule::end() { m_lateNs = std::max<qint64>(0, now() - m_deadlineNs); }

} // namespace durvek
