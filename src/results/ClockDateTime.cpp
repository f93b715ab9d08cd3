#include "results/ClockDateTime.h"
#include "common/StrictNumber.h"
#include <array>

namespace durvek {

namespace {

bool isSixDigits(const QString& text)
{
    if (text.size() != 6)
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

QString pairsJoinedBy(const QString& sixDigits, QChar separator)
{
    if (!isSixDigits(sixDigits))
        return sixDigits;
    return sixDigits.left(2) + separator + sixDigits.mid(2, 2) + separator + sixDigits.mid(4, 2);
}

// Three two-digit numbers of a clock's DDMMYY or HHMMSS field.
std::optional<std::array<int, 3>> readPairs(const QString& sixDigits,
                                            const std::array<std::pair<int, int>, 3>& ranges)
{
    if (sixDigits.size() != 6)
        return std::nullopt;
    std::array<int, 3> values {};
    for (int i = 0; i < 3; ++i) {
        const StrictNumber number = ReadStrictNumber(QStringView(sixDigits).mid(2 * i, 2),
                                                     ranges[i].first, ranges[i].second);
        if (!number)
            return std::nullopt;
        values[i] = int(number.value);
    }
    return values;
}

} // namespace

QString readableClockDate(const QString& ddmmyy) { return pairsJoinedBy(ddmmyy, u'-'); }

QString readableClockTime(const QString& hhmmss) { return pairsJoinedBy(hhmmss, u':'); }

std::optional<QDate> clockDay(const QString& ddmmyy)
{
    const auto date = readPairs(ddmmyy, {{{1, 31}, {1, 12}, {0, 99}}});
    if (!date)
        return std::nullopt;
    const QDate day(2000 + (*date)[2], (*date)[1], (*date)[0]);
    return day.isValid() ? std::optional(day) : std::nullopt;
}

std::optional<QTime> clockTime(const QString& hhmmss)
{
    const auto time = readPairs(hhmmss, {{{0, 23}, {0, 59}, {0, 59}}});
    if (!time)
        return std::nullopt;
    return QTime((*time)[0], (*time)[1], (*time)[2]);
}

} // namespace durvek
