#include "database/PigeonNumbering.h"
#include "database/ClubDatabase.h"
#include "database/SinglePassRenumbering.h"
#include "database/SqlUtil.h"

namespace durvek {

namespace {

// The pigeons are numbered 1..n exactly when none is without a number, the
// lowest number is 1, the highest is the count, and as many different whole
// numbers are given as there are pigeons. The index answers the first three
// at once (min, max and IS NULL read one end of it on either engine, where an
// ORDER BY with NULLS placed against the index's own order would scan the
// table), which settles a club that must be renumbered; only then is the
// index walked to count the different numbers, against the count already
// known. Numbering every row to compare it with its place would cost several
// times as much on every start.
bool anyPigeonOutOfPlace(const QSqlDatabase& db)
{
    const qint64 pigeons = queryValue(db, QStringLiteral(
        "SELECT CASE WHEN n = 0 THEN 0 "
        "WHEN EXISTS (SELECT 1 FROM pigeons WHERE nr IS NULL) THEN -1 "
        "WHEN (SELECT min(nr) FROM pigeons) = 1 AND (SELECT max(nr) FROM pigeons) = n THEN n "
        "ELSE -1 END FROM (SELECT count(*) AS n FROM pigeons) AS total")).toLongLong();
    if (pigeons <= 0)
        return pigeons < 0;
    return queryValue(db, QStringLiteral(
               "SELECT count(*) FROM (SELECT DISTINCT nr FROM pigeons WHERE nr = CAST(nr AS BIGINT)) AS whole"))
               .toLongLong()
        != pigeons;
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
        // First, as every store that numbers pigeons takes it before it
        // touches a pigeon: a store on another PC then either numbers its
        // pigeons before the renumbering reads them, or reads the highest
        // number after it, and neither waits for the other while holding
        // what the other needs (the DROP INDEX waits for every transaction
        // that has touched pigeons).
        lockPigeonNumbering(db);
        // SQLite writes a joined update in two passes; there the places are
        // held in memory and the update writes in one.
        if (engineOf(db) == SqlEngine::Sqlite) {
            const SinglePassRenumbering renumbering(db);
            if (indexed)
                runStatement(db, QStringLiteral("DROP INDEX %1").arg(kNumberIndex));
            renumbering.writePlaces();
            if (indexed)
                AddPigeonNumberIndex(db);
            return;
        }
        // A club laid out before pages were left room gets it here; its
        // pigeons move onto such pages as they are written.
        leaveRoomForRenumbering(db);
        // Keeping the index up to date row by row costs more than building
        // it again once the numbers are written, and without it the new
        // numbers stay on the pigeons' own pages.
        if (indexed)
            runStatement(db, QStringLiteral("DROP INDEX %1").arg(kNumberIndex));
        writePigeonPlacesOnServer(db);
        if (indexed)
            AddPigeonNumberIndex(db);
    });
}

QString pigeonListOrder(bool sortByBand)
{
    return sortByBand ? QStringLiteral(" ORDER BY Year NULLS FIRST, country NULLS FIRST, band NULLS FIRST, rowid")
                      : QStringLiteral(" ORDER BY Nr NULLS FIRST, rowid");
}

int32_t NextPigeonNr(const QSqlDatabase& db)
{
    lockPigeonNumbering(db);
    return int32_t(
        queryValue(db, QStringLiteral("SELECT coalesce(max(nr), 0) + 1 FROM pigeons")).toLongLong());
}

} // namespace durvek
