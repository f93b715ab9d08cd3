#pragma once
#include <QElapsedTimer>
#include <QtGlobal>
#include <functional>

namespace durvek {

// The pauses of a job, each against a deadline. A timer wakes a little after
// its time (more so on a busy machine); the next pause is shortened by that
// lateness, so over a job of thousands of pauses it never adds up. The work
// between pauses (the line, the clock's answer) is not made up: every pause
// still comes on top of it. A pause is never cut below half its length, so a
// long stall is not made up by sending to the clock in a burst.
class PauseSchedule {
public:
    using Clock = std::function<qint64()>;  // monotonic nanoseconds

    explicit PauseSchedule(Clock clock = {});

    // Starts a pause of milliseconds; returns how many whole milliseconds to
    // wait (what a timer takes), rounded up: the part beyond the deadline is
    // lateness like any other.
    int begin(int milliseconds);
    // The wait is over: remembers how late it ended.
    void end();

private:
    qint64 now() const;

    Clock m_clock;
    QElapsedTimer m_timer;
    qint64 m_deadlineNs = 0;
    qint64 m_lateNs = 0;
};

} // namespace durvek
