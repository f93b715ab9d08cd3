#pragma once
#include <QElapsedTimer>
#include <functional>
#include <utility>

namespace durvek {

// Measures how long a framed exchange or an antenna reading has waited, like
// QElapsedTimer. Tests and fuzzers may put a virtual clock behind every
// LinkTimer, so that a silent line costs them no real time: their transport
// moves that clock on by the time a read would have waited.
class LinkTimer {
public:
    // Milliseconds on a clock that never goes back.
    using Clock = std::function<qint64()>;

    // An empty clock puts the real one back.
    static void setClock(Clock clock) { source() = std::move(clock); }

    void start() { m_started = now(); }
    qint64 elapsed() const { return now() - m_started; }

private:
    static Clock& source()
    {
        static Clock clock;
        return clock;
    }
    static qint64 now()
    {
        if (source())
            return source()();
        static const QElapsedTimer real = [] {
            QElapsedTimer timer;
            timer.start();
            return timer;
        }();
        return real.elapsed();
    }

    qint64 m_started = 0;
};

} // namespace durvek
