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
    runStatement(db, QStringLiteral("INSERT OR REPLACE INTO releasepoints (race, point, latitude, longitude) "
                                    "VALUES (?, ?, ?, ?)"),
                 {race, pointName, latitude, longitude});
}

void saveRaceDay(const QSqlDatabase& db, int race, const QDate& raceDate,
                 const std::optional<QTime>& releaseTime)
{
    runStatement(db, QStringLiteral("INSERT OR REPLACE INTO racedays (race, racedate, releasetime) VALUES (?, ?, ?)"),
                 {race, storedDate(raceDate), releaseTime ? QVariant(storedTime(*releaseTime)) : QVariant()});
}

void saveClockCheck(const QSqlDatabase& db, int race, const QDate& raceDate, int fancier,
                    const ClockCheck& check)
{
    runStatement(db, QStringLiteral("INSERT OR REPLACE INTO clockchecks "
                                    "(race, racedate, fancier, settime, checktime, deviation) "
                                    "VALUES (?, ?, ?, ?, ?, ?)"),
                 {race, storedDate(raceDate), fancier, storedDateTime(check.setAt),
                  storedDateTime(check.checkedAt), check.deviationSeconds});
}

void forgetClockCheck(const QSqlDatabase& db, int race, const QDate& raceDate, int fancier)
{
    runStatement(db, QStringLiteral("DELETE FROM clockchecks WHERE race = ? AND racedate = ? AND fancier = ?"),
                 {race, storedDate(raceDate), fancier});
}

} // namespace durvek
