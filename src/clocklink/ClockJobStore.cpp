#include "clocklink/ClockJobStore.h"
#include "clocklink/StoredPigeonMatch.h"
#include "common/ValueHelpers.h"
#include "database/PigeonNumbering.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include <QSet>
#include <algorithm>

namespace durvek {

namespace {

// The field as the clock gets it: untrimmed, nothing for null.
QString field(const QSqlQuery& query, int column) { return query.value(column).toString(); }

void addPigeonRow(const QSqlDatabase& db, int32_t fancierId, const PigeonRow& row)
{
    runStatement(db,
                 QStringLiteral("INSERT INTO pigeons (Fancier, elcode, country, Year, band, sex, color, Security, "
                                "volring, Nr) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {fancierId, row.elcode, row.country, row.year, row.band, row.sex, row.color, row.security,
                  row.volring, NextPigeonNr(db)});
}

QList<KnownPigeon> knownPigeonsOf(const QSqlDatabase& db, const QList<int32_t>& fancierIds)
{
    QList<KnownPigeon> known;
    for (int32_t id : fancierIds) {
        QSqlQuery query = runStatement(db,
                                       QStringLiteral("SELECT elcode, country, Year, band, sex, color, Security, volring "
                                                      "FROM pigeons WHERE Fancier = ?")
                                           + pigeonListOrder(false),
                                       {id});
        while (query.next()) {
            KnownPigeon k;
            k.fancierId = id;
            k.row = {field(query, 0), field(query, 1), field(query, 2), field(query, 3),
                     field(query, 4), query.value(5),  query.value(6),  field(query, 7)};
            known << k;
        }
    }
    return known;
}

} // namespace

std::optional<FancierBlock> loadFancierForClock(const QSqlDatabase& db, int32_t fancierId)
{
    QSqlQuery query = runStatement(
        db, QStringLiteral("SELECT Licence, Name, Adress, zip, city, KXT, KYT FROM fanciers WHERE id = ?"), {fancierId});
    if (!query.next())
        return std::nullopt;
    FancierBlock f;
    f.licence = field(query, 0);
    f.name = field(query, 1);
    f.address = field(query, 2);
    f.zip = field(query, 3);
    f.city = field(query, 4);
    f.kxt = field(query, 5);
    f.kyt = field(query, 6);
    return f;
}

QStringList loadRaceAbbreviations(const QSqlDatabase& db)
{
    QSqlQuery query = runStatement(db, QStringLiteral("SELECT afkort FROM races ORDER BY id"));
    QStringList abbreviations;
    while (query.next())
        abbreviations << field(query, 0);
    return abbreviations;
}

QList<PigeonRecord> loadPigeonsForClock(const QSqlDatabase& db, int32_t fancierId, bool sortByBand)
{
    const QString order = pigeonListOrder(sortByBand);
    QSqlQuery query = runStatement(
        db, QStringLiteral("SELECT elcode, country, Year, band, sex, color FROM pigeons WHERE Fancier = ?") + order,
        {fancierId});
    QList<PigeonRecord> pigeons;
    while (query.next()) {
        PigeonRecord p;
        p.elcode = field(query, 0);
        p.country = field(query, 1);
        p.year = field(query, 2);
        p.band = field(query, 3);
        p.sex = field(query, 4);
        p.color = field(query, 5);
        pigeons << p;
    }
    return pigeons;
}

int32_t addFancierFromClock(const QSqlDatabase& db, const ClockFancierRow& row, CoordinateFields coordinates)
{
    const bool numbers = coordinates == CoordinateFields::Numbers;
    const QString sql = numbers
        ? QStringLiteral("INSERT INTO fanciers (Licence, Name, sort, Adress, zip, city, KXX, KYY) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
        : QStringLiteral("INSERT INTO fanciers (Licence, Name, sort, Adress, zip, city, KXT, KYT) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    // The numeric fields have always held single-precision values.
    const QVariant kx = numbers ? QVariant(double(float(FieldNumber(row.kx)))) : QVariant(row.kx);
    const QVariant ky = numbers ? QVariant(double(float(FieldNumber(row.ky)))) : QVariant(row.ky);
    const QSqlQuery query =
        runStatement(db, sql, {row.licence, row.name, row.sort, row.address, row.zip, row.city, kx, ky});
    return int32_t(query.lastInsertId().toLongLong());
}

bool fancierHasPigeons(const QSqlDatabase& db, int32_t fancierId)
{
    return queryValue(db, QStringLiteral("SELECT 1 FROM pigeons WHERE Fancier = ? LIMIT 1"), {fancierId}).isValid();
}

void deletePigeonsOf(const QSqlDatabase& db, const QList<int32_t>& fancierIds)
{
    inTransaction(db, [&] {
        for (int32_t id : fancierIds)
            runStatement(db, QStringLiteral("DELETE FROM pigeons WHERE Fancier = ?"), {id});
    });
}

void addPigeonFromClock(const QSqlDatabase& db, int32_t fancierId, const ReadPigeon& pigeon)
{
    // The number and its row are stored together: no other store takes the
    // number in between.
    inTransaction(db, [&] { addPigeonRow(db, fancierId, rowFromClock(pigeon)); });
}

void storeReadPigeons(const QSqlDatabase& db, const QList<int32_t>& replaced, const QList<PigeonOfFancier>& pigeons,
                      FancierRevisions& revisions)
{
    inTransaction(db, [&] {
        claimFancierRevisions(db, revisions);
        lockPigeonNumbering(db);
        QList<KnownPigeon> known = knownPigeonsOf(db, replaced);
        deletePigeonsOf(db, replaced);
        for (const PigeonOfFancier& p : pigeons) {
            PigeonRow row = rowFromClock(p.pigeon);
            if (const auto match = std::find_if(known.begin(), known.end(),
                                                [&p](const KnownPigeon& k) { return isTheSamePigeon(k, p.fancierId, p.pigeon); });
                match != known.end()) {
                row = keptRow(*match, p.pigeon);
                known.erase(match); // one stored pigeon is kept for one pigeon read
            }
            if (p.withoutChipCode)
                row.elcode = QStringLiteral("");
            addPigeonRow(db, p.fancierId, row);
        }
    });
}

QList<ChipCodeOwner> chipCodesOwnedElsewhere(const QSqlDatabase& db, const QList<int32_t>& replaced,
                                             const QList<PigeonOfFancier>& pigeons)
{
    QList<ChipCodeOwner> owners;
    QSet<QString> named;
    for (const PigeonOfFancier& p : pigeons) {
        const QString code = p.pigeon.elcode.trimmed();
        if (code.isEmpty() || named.contains(code))
            continue;
        QSqlQuery query = runStatement(db,
                                       QStringLiteral("SELECT f.id, f.Licence, f.Name FROM pigeons p "
                                                      "JOIN fanciers f ON f.id = p.Fancier "
                                                      "WHERE p.elcode = ? AND p.Fancier <> ? ORDER BY f.id"),
                                       {code, p.fancierId});
        while (query.next()) {
            if (replaced.contains(query.value(0).toInt()))
                continue;
            owners << ChipCodeOwner{code, (TextOrDefault(query.value(1)) + u' ' + TextOrDefault(query.value(2))).trimmed()};
            named.insert(code);
            break;
        }
    }
    return owners;
}

} // namespace durvek
