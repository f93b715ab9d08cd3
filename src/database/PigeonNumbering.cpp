#include "database/PigeonNumbering.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"

namespace durvek {

namespace {

// The numbering in which rowid breaks ties, so that equal numbers keep their
// stored order on every engine version; pigeons without a number come first
// on both engines. With the index on nr this order is the
// index's own, so reading it needs no sort.
const QString kNumberedInOrder = QStringLiteral(
    "SELECT nr, row_number() OVER (ORDER BY nr NULLS FIRST, rowid) AS rn FROM pigeons");

// Walks the index and stops at the first pigeon whose number is not its place;
// "IS DISTINCT FROM" also catches NULL and numbers stored as text or fractions.
bool anyPigeonOutOfPlace(const QSqlDatabase& db)
{
    return queryValue(db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM (%1) AS numbered "
                                         "WHERE nr IS DISTINCT FROM rn)")
                              .arg(kNumberedInOrder))
        .toBool();
}

const QString kNumberIndex = QStringLiteral("pigeons_nr");

} // namespace

void AddPigeonNumberIndex(const QSqlDatabase& db)
{
    runStatement(db, QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON pigeons (Nr)").arg(kNumberIndex));
}

void RenumberPigeons(const QSqlDatabase& db)
{
    // Without the index (the first start after it came) the check would cost
    // a sort of its own, so the renumbering runs straight away; it writes no
    // row that is right.
    // A database opened read only keeps its numbers: the pigeons are listed
    // in the same order either way.
    if (ClubDatabase::isReadOnly(db))
        return;
    const bool indexed = indexExists(db, kNumberIndex);
    if (indexed && !anyPigeonOutOfPlace(db))
        return;
    // Every page of the table is rewritten: with room for all of them in the
    // cache they reach the file once, at the commit, instead of spilling to
    // it (each spill syncing the journal) every few megabytes.
    const RecomputedBulkWrite bulkWrite(db);
    inTransaction(db, [&] {
        // The places go into a table of their own first, read in index order
        // while the index is there. Joining that table costs far less than
        // numbering with a window function inside the update.
        runStatement(db, QStringLiteral("CREATE TEMP TABLE pigeon_places (pigeon BIGINT, place BIGINT)"));
        runStatement(db, QStringLiteral(
            "INSERT INTO pigeon_places (pigeon, place) "
            "SELECT rowid, row_number() OVER (ORDER BY nr NULLS FIRST, rowid) FROM pigeons"));
        // Keeping the index up to date row by row costs more than building
        // it again once the numbers are written.
        if (indexed)
            runStatement(db, QStringLiteral("DROP INDEX %1").arg(kNumberIndex));
        runStatement(db, QStringLiteral(
            "UPDATE pigeons SET nr = place.place FROM pigeon_places AS place "
            "WHERE pigeons.rowid = place.pigeon AND pigeons.nr IS DISTINCT FROM place.place"));
        runStatement(db, QStringLiteral("DROP TABLE pigeon_places"));
        if (indexed)
            AddPigeonNumberIndex(db);
    });
}

int32_t NextPigeonNr(const QSqlDatabase& db)
{
    return int32_t(
        queryValue(db, QStringLiteral("SELECT coalesce(max(nr), 0) + 1 FROM pigeons")).toLongLong());
}

} // namespace durvek
