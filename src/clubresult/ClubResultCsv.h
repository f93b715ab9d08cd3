#pragma once
#include "clubresult/ClubResult.h"
#include <QByteArray>
#include <QString>

namespace durvek {

// The club result as CSV (UTF-8, RFC 4180) with a header row and one row per
// arrival: the ranked ones in rank order, then those listed apart with an
// empty rank and the reason in the last column. Distances in metres with two
// decimals, velocities in metres per minute with three, times as
// dd-mm-yy hh:mm:ss after the clock check, flying time as h:mm:ss.
QByteArray clubResultCsv(const ClubResult& result);

// Formatting shared by the CSV and the printed result.
QString metresText(qint64 centimetres);
QString velocityText(qint64 milli);
QString flyingTimeText(qint64 seconds);
QString arrivalText(const QDateTime& arrival);

} // namespace durvek
