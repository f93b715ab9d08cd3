#include "clubresult/ReleaseStore.h"
#include "database/SqlUtil.h"

namespace durvek {

QString storedDate(const QDate& date) { return date.toString(Qt::ISODate); }
QString storedTime(const QTime& time) { return time.toString(QStringLiteral("HH:mm:ss")); }
QString storedDateTime(const QDateTime& dateTime)
{
    return dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

void saveReleasePoint(const QSqlDatabase& db, int race, const QString& pointName,
                      const QString& latitude, const QString& longitude)
{
    runStatement(db, QStringLiteral("INSERT INTO releasepoints (race, point, latitude, longitude) "
                                    "VALUES (?, ?, ?, ?) ON CONFLICT (race) DO UPDATE SET "
                                    "point = excluded.point, latitude = excluded.latitude, "
                                    "longitude = excluded.longitude"),
                 {race, pointName, latitude, longitude});
}

void saveRaceDay(const QSqlDatabase& db, int race, const QDate& raceDate,
                 const std::optional<QTime>& releaseTime)
{
    runStatement(db, QStringLiteral("INSERT INTO racedays (race, racedate, releasetime) VALUES (?, ?, ?) "
                                    "ON CONFLICT (race, racedate) DO UPDATE SET releasetime = excluded.releasetime"),
                 {race, storedDate(raceDate), releaseTime ? QVariant(storedTime(*releaseTime)) : QVariant()});
}

void saveClockCheck(const QSqlDatabase& db, int race, const QDate& raceDate, int fancier,
                    const ClockCheck& check)
{
    runStatement(db, QStringLiteral("INSERT INTO clockchecks "
                                    "(race, racedate, fancier, settime, checktime, deviation) "
                                    "VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (race, racedate, fancier) DO UPDATE SET "
                                    "settime = excluded.settime, checktime = excluded.checktime, "
                                    "deviation = excluded.deviation"),
                 {race, storedDate(raceDate), fancier, storedDateTime(check.setAt),
                  storedDateTime(check.checkedAt), check.deviationSeconds});
}

void forgetClockCheck(const QSqlDatabase& db, int race, const QDate& raceDate, int fancier)
{
    runStatement(db, QStringLiteral("DELETE FROM clockchecks WHERE race = ? AND racedate = ? AND fancier = ?"),
                 {race, storedDate(raceDate), fancier});
}

} // namespace durvek
