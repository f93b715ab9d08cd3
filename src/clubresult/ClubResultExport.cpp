#include "clubresult/ClubResultExport.h"
#include "clubresult/ClubResultCsv.h"
#include "clubresult/ClubResultStore.h"
#include "common/StrictNumber.h"
#include "common/TextCatalogue.h"
#include "database/SqlUtil.h"
#include <QSaveFile>
#include <optional>

namespace durvek {

namespace {

// The race by number, else by abbreviation or name as the races window shows them.
std::optional<int> findRace(const QSqlDatabase& db, const QString& text)
{
    const QString wanted = text.trimmed();
    const StrictNumber number = ReadStrictNumber(wanted, 1, 1000000);
    const QVariant id = number
        ? queryValue(db, QStringLiteral("SELECT id FROM races WHERE id = ?"), {number.value})
        : queryValue(db, QStringLiteral("SELECT id FROM races WHERE trim(afkort) = ? OR trim(lossing) = ? "
                                        "ORDER BY id LIMIT 1"),
                     {wanted, wanted});
    return id.isValid() ? std::optional(id.toInt()) : std::nullopt;
}

// DD-MM-YY, the form the clocks and the print manager show dates in.
std::optional<QDate> readRaceDay(const QString& text)
{
    const QStringList parts = text.trimmed().split(u'-');
    if (parts.size() != 3)
        return std::nullopt;
    const StrictNumber day = ReadStrictNumber(parts.at(0), 1, 31);
    const StrictNumber month = ReadStrictNumber(parts.at(1), 1, 12);
    const StrictNumber year = ReadStrictNumber(parts.at(2), 0, 99);
    if (!day || !month || !year || parts.at(2).size() != 2)
        return std::nullopt;
    const QDate date(2000 + int(year.value), int(month.value), int(day.value));
    return date.isValid() ? std::optional(date) : std::nullopt;
}

ClubResultExportOutcome refused(const QString& message) { return {false, message}; }

} // namespace

ClubResultExportOutcome exportClubResult(const QSqlDatabase& db, const ClubResultExportRequest& request)
{
    const std::optional<int> race = findRace(db, request.race);
    if (!race)
        return refused(GetText(169).arg(request.race));
    const std::optional<QDate> day = readRaceDay(request.date);
    if (!day)
        return refused(GetText(170).arg(request.date));
    const std::optional<ClubResult> result = loadClubResult(db, *race, *day);
    if (!result)
        return refused(GetText(161).arg(request.race, request.date));
    QSaveFile file(request.csvPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(clubResultCsv(*result)) < 0 || !file.commit())
        return refused(QStringLiteral("%1: %2").arg(request.csvPath, file.errorString()));
    return {true, QString()};
}

} // namespace durvek
