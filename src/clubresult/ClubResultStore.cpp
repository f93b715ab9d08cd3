#include "clubresult/ClubResultStore.h"
#include "clubresult/ReleaseStore.h"
#include "database/SqlUtil.h"

namespace durvek {

namespace {

constexpr int kDefaultPrizeEvery = 4;

std::optional<QDateTime> storedWallClock(const QVariant& date, const QVariant& time)
{
    const QDate day = QDate::fromString(date.toString(), Qt::ISODate);
    const QTime clock = QTime::fromString(time.toString(), Qt::ISODate);
    if (!day.isValid() || !clock.isValid())
        return std::nullopt;
    return wallClock(day, clock);
}

QDateTime storedMoment(const QVariant& text)
{
    const QStringList parts = text.toString().split(u' ');
    return parts.size() == 2 ? storedWallClock(parts.at(0), parts.at(1)).value_or(QDateTime()) : QDateTime();
}

RaceRelease loadRelease(const QSqlDatabase& db, int race, const QDate& raceDate)
{
    RaceRelease release;
    release.race = race;
    release.raceDate = raceDate;
    release.raceName = queryValue(db, QStringLiteral("SELECT lossing FROM races WHERE id = ?"), {race})
                           .toString().trimmed();
    QSqlQuery point = runStatement(
        db, QStringLiteral("SELECT point, latitude, longitude FROM releasepoints WHERE race = ?"), {race});
    if (point.next()) {
        release.pointName = point.value(0).toString().trimmed();
        release.point = GeoPoint::parse(point.value(1).toString(), point.value(2).toString());
    }
    const QVariant time = queryValue(
        db, QStringLiteral("SELECT releasetime FROM racedays WHERE race = ? AND racedate = ?"),
        {race, storedDate(raceDate)});
    release.releasedAt = storedWallClock(storedDate(raceDate), time);
    return release;
}

void loadSettings(const QSqlDatabase& db, ClubResultInput& input)
{
    QSqlQuery settings =
        runStatement(db, QStringLiteral("SELECT PrizeEvery, Nominated FROM settings ORDER BY rowid LIMIT 1"));
    if (!settings.next())
        return;
    const int every = settings.value(0).toInt();
    input.prizeEvery = every > 0 ? every : kDefaultPrizeEvery;
    input.markNominated = settings.value(1).toInt() != 0;
}

void loadArrivals(const QSqlDatabase& db, const QVariantList& day, ClubResultInput& input)
{
    // Read once front to back: no row cache for ten thousand arrivals.
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    rows.prepare(QStringLiteral("SELECT a.fancier, a.elcode, a.band, a.arrivaldate, a.arrivaltime, a.status, "
                                "f.Name, f.Licence, f.KYT, f.KXT, a.nominationorder "
                                "FROM clubarrivals a LEFT JOIN fanciers f ON f.id = a.fancier "
                                "WHERE a.race = ? AND a.racedate = ? ORDER BY a.rowid"));
    for (const QVariant& value : day)
        rows.addBindValue(value);
    execPrepared(rows, db);
    while (rows.next()) {
        const int fancier = rows.value(0).toInt();
        input.arrivals.append({fancier, rows.value(1).toString(), rows.value(2).toString(),
                               storedWallClock(rows.value(3), rows.value(4)), rows.value(5).toString(),
                               rows.value(10).toInt()});
        if (!input.fanciers.contains(fancier))
            input.fanciers.insert(fancier, {rows.value(6).toString().trimmed(), rows.value(7).toString().trimmed(),
                                            GeoPoint::parse(rows.value(8).toString(), rows.value(9).toString())});
    }
}

void loadChecks(const QSqlDatabase& db, const QVariantList& day, ClubResultInput& input)
{
    QSqlQuery rows = runStatement(
        db, QStringLiteral("SELECT fancier, settime, checktime, deviation FROM clockchecks "
                           "WHERE race = ? AND racedate = ?"),
        day);
    while (rows.next())
        input.checks.insert(rows.value(0).toInt(),
                            {storedMoment(rows.value(1)), storedMoment(rows.value(2)), rows.value(3).toInt()});
}

} // namespace

std::optional<ClubResultInput> loadClubResultInput(const QSqlDatabase& db, int race, const QDate& raceDate)
{
    const QVariantList day {race, storedDate(raceDate)};
    ClubResultInput input;
    loadArrivals(db, day, input);
    if (input.arrivals.isEmpty())
        return std::nullopt;
    input.release = loadRelease(db, race, raceDate);
    loadSettings(db, input);
    loadChecks(db, day, input);
    return input;
}

std::optional<RaceDay> latestRaceDayWithEntries(const QSqlDatabase& db)
{
    QSqlQuery latest = runStatement(
        db, QStringLiteral("SELECT race, racedate FROM clubarrivals ORDER BY racedate DESC, rowid DESC LIMIT 1"));
    if (!latest.next())
        return std::nullopt;
    return RaceDay {latest.value(0).toInt(), QDate::fromString(latest.value(1).toString(), Qt::ISODate)};
}

std::optional<ClubResult> loadClubResult(const QSqlDatabase& db, int race, const QDate& raceDate)
{
    const std::optional<ClubResultInput> input = loadClubResultInput(db, race, raceDate);
    if (!input)
        return std::nullopt;
    return computeClubResult(*input);
}

} // namespace durvek
