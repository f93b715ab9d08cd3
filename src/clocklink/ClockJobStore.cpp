#include "clocklink/ClockJobStore.h"
#include "clocklink/FixedText.h"
#include "common/ValueHelpers.h"
#include "database/PigeonNumbering.h"
#include "database/SqlUtil.h"
#include <QSet>
#include <algorithm>

namespace durvek {

namespace {

// The field as the clock gets it: untrimmed, nothing for null.
QString field(const QSqlQuery& query, int column) { return query.value(column).toString(); }

// The clock fills its fixed widths with blanks; the club database keeps none.
QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

// The values of one pigeons row a read adds.
struct PigeonRow {
    QString elcode;
    QString country;
    QString year;
    QString band;
    QString sex;
    QVariant color;
    QVariant security;
    QString volring;
};

PigeonRow rowFromClock(const ReadPigeon& pigeon)
{
    ReadPigeon stored = pigeon;
    stored.country = withoutTrailingBlanks(pigeon.country);
    const QVariant color = pigeon.color.isNull() ? QVariant() : QVariant(withoutTrailingBlanks(pigeon.color));
    return {pigeon.elcode, stored.country, pigeon.year, pigeon.band, pigeon.sex, color, QVariant(), stored.fullBand()};
}

void addPigeonRow(const QSqlDatabase& db, int32_t fancierId, const PigeonRow& row)
{
    runStatement(db,
                 QStringLiteral("INSERT INTO pigeons (Fancier, elcode, country, Year, band, sex, color, Security, "
                                "volring, Nr) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {fancierId, row.elcode, row.country, row.year, row.band, row.sex, row.color, row.security,
                  row.volring, NextPigeonNr(db)});
}

// A pigeon of a fancier whose list a read replaces, as stored.
struct KnownPigeon {
    int32_t fancierId = 0;
    PigeonRow row;
};

QList<KnownPigeon> knownPigeonsOf(const QSqlDatabase& db, const QList<int32_t>& fancierIds)
{
    QList<KnownPigeon> known;
    for (int32_t id : fancierIds) {
        QSqlQuery query = runStatement(db,
                                       QStringLiteral("SELECT elcode, country, Year, band, sex, color, Security, volring "
                                                      "FROM pigeons WHERE Fancier = ? ORDER BY Nr"),
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

// The stored pigeon is the one the clock gave when an update would have
// written it as the clock's record holds it: the same chip code, country
// and year, and the band as the clock keeps it (its last 7 or 10 characters).
bool isTheSamePigeon(const KnownPigeon& known, const PigeonOfFancier& read)
{
    const ReadPigeon& p = read.pigeon;
    return known.fancierId == read.fancierId && !p.clockBand.trimmed().isEmpty()
        && leftZeros(known.row.elcode, 8) == p.elcode && leftSpaces(known.row.country, 3) == leftSpaces(p.country, 3)
        && leftZeros(known.row.year, 2) == p.year && rightSpaces(known.row.band, int(p.clockBand.size())) == p.clockBand;
}

// What the clock does not hold stays as stored; what it holds comes from it.
PigeonRow keptRow(const KnownPigeon& known, const ReadPigeon& read)
{
    PigeonRow row = known.row;
    row.sex = read.sex;
    if (read.clockHoldsColour && withoutTrailingBlanks(read.color).trimmed() != known.row.color.toString().trimmed())
        row.color = withoutTrailingBlanks(read.color);
    return row;
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
    const QString order = sortByBand ? QStringLiteral(" ORDER BY Year, country, band") : QStringLiteral(" ORDER BY Nr");
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
    addPigeonRow(db, fancierId, rowFromClock(pigeon));
}

void storeReadPigeons(const QSqlDatabase& db, const QList<int32_t>& replaced, const QList<PigeonOfFancier>& pigeons)
{
    inTransaction(db, [&] {
        QList<KnownPigeon> known = knownPigeonsOf(db, replaced);
        deletePigeonsOf(db, replaced);
        for (const PigeonOfFancier& p : pigeons) {
            PigeonRow row = rowFromClock(p.pigeon);
            if (const auto match = std::find_if(known.begin(), known.end(),
                                                [&p](const KnownPigeon& k) { return isTheSamePigeon(k, p); });
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
