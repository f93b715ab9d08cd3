#include "clubresult/ClockCheck.h"
#include <cmath>

namespace durvek {

QDateTime ClockCheck::corrected(const QDateTime& shown) const
{
    const qint64 checkSpan = setAt.secsTo(checkedAt);
    if (checkSpan <= 0 || deviationSeconds == 0)
        return shown;
    const double drift = double(deviationSeconds) * double(setAt.secsTo(shown)) / double(checkSpan);
    return shown.addSecs(-std::llround(drift));
}

} // namespace durvek
