#include "clubresult/ClubResultCollector.h"
#include "clubresult/ClubResult.h"
#include "clubresult/ReleaseStore.h"
#include "common/TextCatalogue.h"
#include "database/FancierLookup.h"
#include "database/SqlUtil.h"
#include "results/ClockDateTime.h"
#include "results/RaceData.h"
#include <optional>

namespace durvek {

namespace {

// The clock's arrival as a wall-clock time; nothing for an entry the clock
// never timed.
std::optional<QDateTime> clockArrival(const ResultRecord& record)
{
    const std::optional<QDate> day = clockDay(record.arrivalDate);
    const std::optional<QTime> time = clockTime(record.arrivalTime);
    if (!day || !time)
        return std::nullopt;
    return wallClock(*day, *time);
}

QVariant nullWhenNone(const std::optional<QDateTime>& moment, QString (*form)(const QDateTime&))
{
    return moment ? QVariant(form(*moment)) : QVariant();
}

QString datePart(const QDateTime& moment) { return storedDate(moment.date()); }
QString timePart(const QDateTime& moment) { return storedTime(moment.time()); }

bool isBlank(const ResultRecord& record) { return record == ResultRecord(); }

int storeFlight(const QSqlDatabase& db, const RaceData& data, const QString& flightKey, int fancier,
                const QVariantList& day)
{
    int stored = 0;
    inTransaction(db, [&] {
        runStatement(db, QStringLiteral("DELETE FROM clubarrivals WHERE race = ? AND racedate = ? AND fancier = ?"),
                     day + QVariantList {fancier});
        for (const ResultRecord& record : data.results) {
            if (isBlank(record) || record.flightCode + record.flightCode2 != flightKey)
                continue;
            const std::optional<QDateTime> arrival = clockArrival(record);
            // A pigeon the clock holds twice in one flight keeps its first entry,
            // which after the read-out's sort is its earliest arrival.
            QSqlQuery insert = runStatement(db, QStringLiteral("INSERT OR IGNORE INTO clubarrivals "
                                            "(race, racedate, fancier, elcode, band, arrivaldate, arrivaltime, status) "
                                            "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                         day + QVariantList {fancier, record.elcode.trimmed(), record.band.trimmed(),
                                             nullWhenNone(arrival, datePart), nullWhenNone(arrival, timePart),
                                             record.status.trimmed()});
            stored += insert.numRowsAffected();
        }
    });
    return stored;
}

QString notClubFancier(const QString& licence) { return GetText(162).arg(licence); }

} // namespace

QString clockRefusal(const QSqlDatabase& db, const RaceData& data)
{
    const QString licence = data.clockLicence.trimmed();
    return FindFancierByLicence(db, licence) == 0 ? notClubFancier(licence) : QString();
}

CollectOutcome addToClubResult(const QSqlDatabase& db, const RaceData& data, int flightIndex, int race,
                               const QDate& raceDate)
{
    CollectOutcome outcome;
    const QString licence = data.clockLicence.trimmed();
    const int fancier = FindFancierByLicence(db, licence);
    if (fancier == 0) {
        outcome.message = notClubFancier(licence);
        return outcome;
    }
    if (flightIndex < 0 || flightIndex >= data.flightCount())
        return outcome;
    const QVariantList day {race, storedDate(raceDate)};
    outcome.entries = storeFlight(db, data, data.flights.at(flightIndex).key(), fancier, day);
    outcome.stored = true;
    outcome.message = GetText(167).arg(outcome.entries).arg(data.clockName.trimmed(), raceDate.toString(QStringLiteral("dd-MM-yy")));
    return outcome;
}

} // namespace durvek
