#include "results/ClockDateTime.h"

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

} // namespace

QString readableClockDate(const QString& ddmmyy) { return pairsJoinedBy(ddmmyy, u'-'); }

QString readableClockTime(const QString& hhmmss) { return pairsJoinedBy(hhmmss, u':'); }

} // namespace durvek
