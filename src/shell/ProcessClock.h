#pragma once
#include <QByteArray>
#include <QElapsedTimer>
#include <QtGlobal>
#include <optional>

namespace durvek {

// Milliseconds since the operating system started this process, which also
// counts the time spent loading libraries before main() ran. Where the
// system does not tell (or the reading looks wrong) the fallback timer,
// started first thing in main(), gives a slightly smaller figure.
qint64 millisecondsSinceProcessStart(const QElapsedTimer& fallback);

// The kernel's clock tick per second from the process's auxiliary vector
// (Linux /proc/self/auxv: pairs of native words, type 17 the tick, type 0
// the end), or nothing when the vector does not give it.
std::optional<long> clockTicksPerSecond(const QByteArray& auxv);

// The age of the process from the kernel's own bookkeeping (Linux /proc),
// or nothing when it is not available. The texts are the contents of
// /proc/self/stat and /proc/uptime; ticksPerSecond the kernel's clock tick.
std::optional<qint64> processAgeMs(const QByteArray& selfStat, const QByteArray& uptime,
                                   long ticksPerSecond);

} // namespace durvek
