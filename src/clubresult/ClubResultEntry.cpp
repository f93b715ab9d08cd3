#include "clubresult/ClubResultEntry.h"
#include "clubresult/ReleaseStore.h"
#include "common/LoftCoordinate.h"
#include "common/TextCatalogue.h"
#include "database/FancierLookup.h"
#include "database/SqlUtil.h"
#include "results/RaceData.h"

namespace durvek {

namespace {

bool readableOrBlank(const QString& text, CoordinateAxis axis)
{
    return text.trimmed().isEmpty() || LoftCoordinate::parse(text, axis).has_value();
}

void storeReleaseData(const QSqlDatabase& db, const ClubResultEntry& entry)
{
    saveReleasePoint(db, entry.race, entry.pointName.trimmed(), entry.latitude.trimmed(), entry.longitude.trimmed());
    saveRaceDay(db, entry.race, entry.raceDay, entry.releaseTime);
}

} // namespace

QTime typedReleaseTime(const QString& text)
{
    const QTime withSeconds = QTime::fromString(text.trimmed(), QStringLiteral("H:mm:ss"));
    return withSeconds.isValid() ? withSeconds : QTime::fromString(text.trimmed(), QStringLiteral("H:mm"));
}

void saveReleaseData(const QSqlDatabase& db, const ClubResultEntry& entry)
{
    inTransaction(db, [&] { storeReleaseData(db, entry); });
}

ClubResultEntry storedEntry(const QSqlDatabase& db, int race, const QDate& raceDay)
{
    ClubResultEntry entry;
    entry.race = race;
    entry.raceDay = raceDay;
    QSqlQuery point = runStatement(
        db, QStringLiteral("SELECT point, latitude, longitude FROM releasepoints WHERE race = ?"), {race});
    if (point.next()) {
        entry.pointName = point.value(0).toString();
        entry.latitude = point.value(1).toString();
        entry.longitude = point.value(2).toString();
    }
    const QTime time = QTime::fromString(
        queryValue(db, QStringLiteral("SELECT releasetime FROM racedays WHERE race = ? AND racedate = ?"),
                   {race, storedDate(raceDay)})
            .toString(),
        Qt::ISODate);
    if (time.isValid())
        entry.releaseTime = time;
    return entry;
}

std::optional<int> raceOnDay(const QSqlDatabase& db, const QDate& day)
{
    const QVariant race = queryValue(
        db, QStringLiteral("SELECT race FROM racedays WHERE racedate = ? ORDER BY race LIMIT 1"), {storedDate(day)});
    return race.isNull() ? std::nullopt : std::optional(race.toInt());
}

QString entryProblem(const ClubResultEntry& entry)
{
    if (!readableOrBlank(entry.latitude, CoordinateAxis::Latitude))
        return GetText(124);
    if (!readableOrBlank(entry.longitude, CoordinateAxis::Longitude))
        return GetText(125);
    return QString();
}

CollectOutcome addClockToClubResult(const QSqlDatabase& db, const RaceData& data, int flightIndex,
                                    const ClubResultEntry& entry)
{
    const int fancier = FindFancierByLicence(db, data.clockLicence.trimmed());
    if (fancier == 0) // refused with its message, before anything is written
        return addToClubResult(db, data, flightIndex, entry.race, entry.raceDay);
    CollectOutcome outcome;
    inTransaction(db, [&] {
        storeReleaseData(db, entry);
        outcome = addToClubResult(db, data, flightIndex, entry.race, entry.raceDay);
        if (entry.check)
            saveClockCheck(db, entry.race, entry.raceDay, fancier, *entry.check);
        else
            forgetClockCheck(db, entry.race, entry.raceDay, fancier);
    });
    return outcome;
}

} // namespace durvek
