#include "clubresult/ClubResultCollector.h"
#include "clubresult/ClubResult.h"
#include "clubresult/ReleaseStore.h"
#include "common/TextCatalogue.h"
#include "database/FancierLookup.h"
#include "database/SqlUtil.h"
#include "results/ClockDateTime.h"
#include "results/RaceData.h"
#include <QSet>
#include <algorithm>
#include <array>
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

// One entry of the chosen flight as it is stored.
struct FlightArrival {
    const ResultRecord* record = nullptr;
    QVariant nominationOrder; // null: the records no longer know the clock's order
};

QList<FlightArrival> flightArrivals(const RaceData& data, const QString& flightKey)
{
    QList<FlightArrival> arrivals;
    QSet<QString> pigeons;
    for (const ResultRecord& record : data.results) {
        if (isBlank(record) || record.flightCode + record.flightCode2 != flightKey)
            continue;
        // A pigeon the clock holds twice in one flight keeps its first entry,
        // which after the read-out's sort is its earliest arrival.
        const QString pigeon = record.elcode.trimmed() + u'|' + record.band.trimmed();
        if (pigeons.contains(pigeon))
            continue;
        pigeons.insert(pigeon);
        arrivals.append({&record, QVariant()});
    }
    return arrivals;
}

// The clock lists a flight's pigeons in the order they were basketed, which
// is the order the fancier nominated them in: 1, 2, ... Records loaded from
// the pigeon file lost that order and stay unnumbered.
void numberInBasketingOrder(QList<FlightArrival>& arrivals)
{
    if (std::any_of(arrivals.cbegin(), arrivals.cend(),
                    [](const FlightArrival& a) { return a.record->clockEntry < 0; }))
        return;
    QList<FlightArrival*> basketed;
    for (FlightArrival& arrival : arrivals)
        basketed.append(&arrival);
    std::sort(basketed.begin(), basketed.end(), [](const FlightArrival* a, const FlightArrival* b) {
        return a->record->clockEntry < b->record->clockEntry;
    });
    for (qsizetype i = 0; i < basketed.size(); ++i)
        basketed[i]->nominationOrder = int(i + 1);
}

int storeFlight(const QSqlDatabase& db, const RaceData& data, const QString& flightKey, int fancier,
                const QVariantList& day)
{
    QList<FlightArrival> arrivals = flightArrivals(data, flightKey);
    numberInBasketingOrder(arrivals);
    int stored = 0;
    inTransaction(db, [&] {
        runStatement(db, QStringLiteral("DELETE FROM clubarrivals WHERE race = ? AND racedate = ? AND fancier = ?"),
                     day + QVariantList {fancier});
        for (const FlightArrival& entry : arrivals) {
            const ResultRecord& record = *entry.record;
            const std::optional<QDateTime> arrival = clockArrival(record);
            QSqlQuery insert = runStatement(db, QStringLiteral("INSERT INTO clubarrivals "
                                            "(race, racedate, fancier, elcode, band, arrivaldate, arrivaltime, status, "
                                            "nominationorder) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) "
                                            "ON CONFLICT DO NOTHING"),
                         day + QVariantList {fancier, record.elcode.trimmed(), record.band.trimmed(),
                                             nullWhenNone(arrival, datePart), nullWhenNone(arrival, timePart),
                                             record.status.trimmed(), entry.nominationOrder});
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
