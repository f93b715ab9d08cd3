#include "linking/LinkingStore.h"
#include "common/ValueHelpers.h"
#include "database/FancierRevision.h"
#include "database/PigeonNumbering.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include "linking/PigeonGrid.h"
#include <QSqlRecord>

namespace durvek {

namespace {

constexpr int kBandLength = 10;
constexpr int kCodeLength = 8;
const QString kDeleteMark = QStringLiteral("X");

// The fields pigeons and backup share, so the copy never depends on the
// order in which the upgrade added them.
const QString kPigeonFields = QStringLiteral("Fancier, country, Year, band, sex, color, elcode, volring, Security, "
                                             "\"delete\", Nr");

QString storedBand(const QString& cell)
{
    // A band shown right-aligned (stored with its leading spaces) goes back
    // as it was; any other is zero-filled on the left.
    if (cell.startsWith(u' '))
        return (QString(kBandLength, u' ') + TextOrDefault(cell, QString(kBandLength, u' '))).right(kBandLength);
    return (QStringLiteral("0000000000") + TextOrDefault(cell, QStringLiteral("0000000000"))).right(kBandLength);
}

// The fancier's current pigeons go to the backup table, which then holds
// them alone.
void moveListToBackup(const QSqlDatabase& db, int32_t fancierId)
{
    runStatement(db, QStringLiteral("DELETE FROM backup"));
    runStatement(db, QStringLiteral("INSERT INTO backup (%1) SELECT %1 FROM pigeons WHERE Fancier = ?").arg(kPigeonFields),
                 {fancierId});
    runStatement(db, QStringLiteral("DELETE FROM pigeons WHERE Fancier = ?"), {fancierId});
}

QList<QVariantList> rowsOf(const QSqlDatabase& db, const QString& sql)
{
    QList<QVariantList> rows;
    QSqlQuery query = runStatement(db, sql);
    const int fieldCount = query.record().count();
    while (query.next()) {
        QVariantList values;
        for (int i = 0; i < fieldCount; ++i)
            values.append(query.value(i));
        rows.append(values);
    }
    return rows;
}

// Ends the restore's transaction without a change.
struct NothingToRestore {};

// The backup's pigeons become the fancier's list and the list they replace
// goes to the backup. Returns how many came back.
int swapBackupIn(const QSqlDatabase& db, int32_t fancierId)
{
    // Every field but the number, which is given anew: the former numbers
    // may since have gone to other pigeons.
    const QString fields = QString(kPigeonFields).remove(QStringLiteral(", Nr"));
    const QList<QVariantList> previous =
        rowsOf(db, QStringLiteral("SELECT %1 FROM backup ORDER BY Nr, rowid").arg(fields));
    moveListToBackup(db, fancierId);
    int32_t nr = NextPigeonNr(db);
    const QString insert = QStringLiteral("INSERT INTO pigeons (%1, Nr) VALUES (%2?)")
                               .arg(fields, QStringLiteral("?, ").repeated(fields.count(u',') + 1));
    for (const QVariantList& values : previous)
        runStatement(db, insert, values + QVariantList {nr++});
    return int(previous.size());
}

QString storedSex(const QString& cell)
{
    return !cell.isEmpty() && cell != QStringLiteral(" ") ? QStringLiteral("F") : QStringLiteral(" ");
}

} // namespace

std::optional<StoredPigeon> pigeonOfRow(const PigeonGrid& grid, int row)
{
    const QString band = grid.cellText(row, PigeonGrid::kBandColumn);
    const QString code = grid.cellText(row, PigeonGrid::kChipCodeColumnIndex);
    if (band.size() != kBandLength || code.size() != kCodeLength
        || grid.cellText(row, PigeonGrid::kDeleteColumn) == kDeleteMark)
        return std::nullopt;
    StoredPigeon pigeon;
    pigeon.year = TextOrDefault(grid.cellText(row, PigeonGrid::kYearColumn), QStringLiteral("00"));
    pigeon.country = TextOrDefault(grid.cellText(row, PigeonGrid::kCountryColumn), QStringLiteral("  "));
    pigeon.band = storedBand(band);
    pigeon.color = TextOrDefault(grid.cellText(row, PigeonGrid::kColourColumn), QStringLiteral("    "));
    pigeon.sex = storedSex(grid.cellText(row, PigeonGrid::kSexColumn));
    pigeon.elcode = TextOrDefault(code, QStringLiteral("12345678"));
    return pigeon;
}

QList<StoredPigeon> pigeonsOfGrid(const PigeonGrid& grid)
{
    QList<StoredPigeon> pigeons;
    for (int row = 1; row < grid.rowCount(); ++row) {
        if (const std::optional<StoredPigeon> pigeon = pigeonOfRow(grid, row))
            pigeons << *pigeon;
    }
    return pigeons;
}

int incompleteRowCount(const PigeonGrid& grid)
{
    int count = 0;
    for (int row = 1; row < grid.rowCount(); ++row) {
        const bool typed = !grid.cellText(row, PigeonGrid::kBandColumn).trimmed().isEmpty()
                        || !grid.cellText(row, PigeonGrid::kChipCodeColumnIndex).trimmed().isEmpty();
        if (typed && grid.cellText(row, PigeonGrid::kDeleteColumn) != kDeleteMark && !pigeonOfRow(grid, row))
            ++count;
    }
    return count;
}

void storeFancierPigeons(const QSqlDatabase& db, int32_t fancierId, qint64& revision,
                         const QList<StoredPigeon>& pigeons)
{
    qint64 stored = revision;
    inTransaction(db, [&] {
        stored = claimFancierRevision(db, fancierId, revision);
        lockPigeonNumbering(db);
        moveListToBackup(db, fancierId);
        if (pigeons.isEmpty())
            return;
        // Numbers follow the highest one in use, one per pigeon as it is added.
        int32_t nr = NextPigeonNr(db);
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO pigeons (Fancier, Year, country, band, color, sex, elcode, "
                                      "Security, Nr, volring) VALUES (?, ?, ?, ?, ?, ?, ?, '00', ?, ?)"));
        for (const StoredPigeon& pigeon : pigeons) {
            const QVariantList values = {fancierId,     pigeon.year, pigeon.country, pigeon.band, pigeon.color,
                                         pigeon.sex,    pigeon.elcode, nr++,          pigeon.fullBand()};
            for (int i = 0; i < values.size(); ++i)
                insert.bindValue(i, values[i]);
            execPrepared(insert, db);
        }
    });
    revision = stored;
}

bool backupHoldsListOf(const QSqlDatabase& db, int32_t fancierId)
{
    QSqlQuery counts = runStatement(
        db, QStringLiteral("SELECT count(*), count(CASE WHEN Fancier = ? THEN NULL ELSE 1 END) FROM backup"),
        {fancierId});
    return counts.next() && counts.value(0).toInt() > 0 && counts.value(1).toInt() == 0;
}

int restorePreviousList(const QSqlDatabase& db, int32_t fancierId, qint64& revision)
{
    int restored = 0;
    qint64 stored = revision;
    try {
        inTransaction(db, [&] {
            stored = claimFancierRevision(db, fancierId, revision);
            lockPigeonNumbering(db);
            if (!backupHoldsListOf(db, fancierId))
                throw NothingToRestore();
            restored = swapBackupIn(db, fancierId);
        });
    } catch (const NothingToRestore&) {
        // The claimed revision goes back with the transaction: nothing changed.
        return 0;
    }
    revision = stored;
    return restored;
}

} // namespace durvek
