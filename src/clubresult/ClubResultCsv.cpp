#include "clubresult/ClubResultCsv.h"
#include "common/CsvWriter.h"

namespace durvek {

namespace {

// Fixed decimals from an integer amount, so that no rounding of a double can
// change the last digit.
QString scaledText(qint64 amount, int decimals)
{
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    return QStringLiteral("%1.%2").arg(amount / scale).arg(amount % scale, decimals, 10, QLatin1Char('0'));
}

const QStringList kHeader {
    QStringLiteral("Rank"), QStringLiteral("Fancier"), QStringLiteral("Licence"), QStringLiteral("Band"),
    QStringLiteral("Chip"), QStringLiteral("Distance (m)"), QStringLiteral("Arrival"),
    QStringLiteral("Flying time"), QStringLiteral("Velocity (m/min)"), QStringLiteral("Prize"),
    QStringLiteral("Nominated"), QStringLiteral("Remark")};

} // namespace

QString metresText(qint64 centimetres) { return scaledText(centimetres, 2); }
QString velocityText(qint64 milli) { return scaledText(milli, 3); }

QString flyingTimeText(qint64 seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString arrivalText(const QDateTime& arrival)
{
    return arrival.toString(QStringLiteral("dd-MM-yy HH:mm:ss"));
}

QByteArray clubResultCsv(const ClubResult& result)
{
    CsvWriter csv;
    csv.addRecord(kHeader);
    for (const ClubResultLine& line : result.lines) {
        csv.addRecord({QString::number(line.rank), line.fancierName, line.licence, line.band, line.elcode,
                       metresText(line.distanceCm), arrivalText(line.arrival), flyingTimeText(line.flyingSeconds),
                       velocityText(line.velocityMilli), line.prize ? QStringLiteral("1") : QString(),
                       line.nominated ? QString::number(line.nominated) : QString(), QString()});
    }
    for (const ClubResultApart& apart : result.apart) {
        csv.addRecord({QString(), apart.fancierName, apart.licence, apart.band, apart.elcode, QString(),
                       QString(), QString(), QString(), QString(), QString(), apartReasonText(apart.reason)});
    }
    return csv.utf8();
}

} // namespace durvek
