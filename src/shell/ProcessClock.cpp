#include "shell/ProcessClock.h"
#include <QByteArray>
#include <QFile>
#include <QList>
#include <cstring>

namespace durvek {

namespace {

[[maybe_unused]] QByteArray readSmallFile(const char* path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(4096);
}

// Field 22 of /proc/self/stat: start time in clock ticks after boot. The
// command name (field 2) may hold blanks and parentheses, so the count
// starts after the last ')'.
std::optional<qint64> startTicks(const QByteArray& selfStat)
{
    const qsizetype close = selfStat.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = selfStat.mid(close + 1).simplified().split(' ');
    // fields[0] is field 3 (state), so field 22 is fields[19].
    if (fields.size() < 20)
        return std::nullopt;
    bool ok = false;
    const qint64 ticks = fields.at(19).toLongLong(&ok);
    return ok ? std::optional<qint64>(ticks) : std::nullopt;
}

quint64 nativeWord(const QByteArray& bytes, qsizetype at)
{
    quintptr word = 0;
    std::memcpy(&word, bytes.constData() + at, sizeof word);
    return word;
}

} // namespace

std::optional<long> clockTicksPerSecond(const QByteArray& auxv)
{
    constexpr quint64 kEndOfVector = 0;
    constexpr quint64 kClockTick = 17; // AT_CLKTCK
    constexpr qsizetype kEntry = 2 * qsizetype(sizeof(quintptr));
    for (qsizetype at = 0; at + kEntry <= auxv.size(); at += kEntry) {
        const quint64 type = nativeWord(auxv, at);
        if (type == kEndOfVector)
            break;
        if (type == kClockTick) {
            const quint64 ticks = nativeWord(auxv, at + kEntry / 2);
            return ticks > 0 && ticks <= 1000000 ? std::optional<long>(long(ticks)) : std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<qint64> processAgeMs(const QByteArray& selfStat, const QByteArray& uptime,
                                   long ticksPerSecond)
{
    if (ticksPerSecond <= 0)
        return std::nullopt;
    const std::optional<qint64> ticks = startTicks(selfStat);
    bool ok = false;
    const double upSeconds = uptime.simplified().split(' ').value(0).toDouble(&ok);
    if (!ticks || !ok)
        return std::nullopt;
    const qint64 startedMs = *ticks * 1000 / ticksPerSecond;
    const qint64 nowMs = qint64(upSeconds * 1000.0 + 0.5);
    if (nowMs < startedMs)
        return std::nullopt;
    return nowMs - startedMs;
}

qint64 millisecondsSinceProcessStart(const QElapsedTimer& fallback)
{
    const qint64 timerMs = fallback.isValid() ? fallback.elapsed() : 0;
#ifdef Q_OS_LINUX
    // The clock tick comes from the kernel's start-up vector, read like the
    // other figures as a file, so the program needs no system call of its own.
    const std::optional<long> ticksPerSecond = clockTicksPerSecond(readSmallFile("/proc/self/auxv"));
    const std::optional<qint64> age = processAgeMs(readSmallFile("/proc/self/stat"),
                                                   readSmallFile("/proc/uptime"),
                                                   ticksPerSecond.value_or(0));
    // Both kernel figures tick in hundredths of a second; the timer is finer
    // and can never be ahead of the true age, so it bounds the result below.
    if (age)
        return qMax(*age, timerMs);
#endif
    return timerMs;
}

} // namespace durvek
