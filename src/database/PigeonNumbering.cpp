#include "database/PigeonNumbering.h"
#include "database/ClubDatabase.h"
#include "database/SinglePassRenumbering.h"
#include "database/SqlUtil.h"
#include <QScopeGuard>

namespace durvek {

namespace {

// The pigeons are numbered 1..n exactly when the lowest number is 1, the
// highest is the count, and as many different whole numbers are given as
// there are pigeons. The index answers the first two at once (a pigeon
// without a number sorts first, one with a text last), which settles a club
// that must be renumbered; only then is the index walked to count the rest.
// Numbering every row to compare it with its place would cost several times
// as much on every start.
bool anyPigeonOutOfPlace(const QSqlDatabase& db)
{
    const bool endsRight = queryValue(db, QStringLiteral(
        "SELECT (SELECT count(*) FROM pigeons) = 0 OR ("
        "(SELECT nr FROM pigeons ORDER BY nr LIMIT 1) = 1 "
        "AND (SELECT nr FROM pigeons ORDER BY nr DESC LIMIT 1) = (SELECT count(*) FROM pigeons))")).toBool();
    return !endsRight
        || !queryValue(db, QStringLiteral(
                "SELECT (SELECT count(*) FROM (SELECT DISTINCT nr FROM pigeons WHERE nr = CAST(nr AS INTEGER))) "
                "= (SELECT count(*) FROM pigeons)")).toBool();
}

const QString kNumberIndex = QStringLiteral("pigeons_nr");

// A negative cache size counts KiB; pages are only taken as they are used.
constexpr int kRenumberingCacheKiB = -65536;

bool hasNumberIndex(const QSqlDatabase& db)
{
    return queryValue(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name = ?"),
                      {kNumberIndex})
               .toInt()
        > 0;
}

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
    const bool indexed = hasNumberIndex(db);
    if (indexed && !anyPigeonOutOfPlace(db))
        return;
    // Every page of the table is rewritten: with room for all of them in the
    // cache they reach the file once, at the commit, instead of spilling to
    // it (each spill syncing the journal) every few megabytes.
    const qint64 cacheSize = queryValue(db, QStringLiteral("PRAGMA cache_size")).toLongLong();
    // The engine zeroes every page it frees, so dropping the index would
    // journal and write each of its pages once more only to have the rebuilt
    // index overwrite them; the fast setting still clears deleted rows on the
    // pages that are written anyway.
    const qint64 secureDelete = queryValue(db, QStringLiteral("PRAGMA secure_delete")).toLongLong();
    const auto restoreSettings = qScopeGuard([&] {
        // A setting left as it was during the renumbering must not end the
        // program while an error of the renumbering is on its way out.
        try {
            runStatement(db, QStringLiteral("PRAGMA secure_delete = %1").arg(secureDelete));
            runStatement(db, QStringLiteral("PRAGMA cache_size = %1").arg(cacheSize));
        } catch (const DatabaseError&) {
        }
    });
    runStatement(db, QStringLiteral("PRAGMA cache_size = %1").arg(kRenumberingCacheKiB));
    runStatement(db, QStringLiteral("PRAGMA secure_delete = FAST"));
    inTransaction(db, [&] {
        // SQLite writes a joined update in two passes; there the places are
        // held in memory and the update writes in one.
        if (db.driverName() == QLatin1String("QSQLITE")) {
            const SinglePassRenumbering renumbering(db);
            if (indexed)
                runStatement(db, QStringLiteral("DROP INDEX %1").arg(kNumberIndex));
            renumbering.writePlaces();
            if (indexed)
                AddPigeonNumberIndex(db);
            return;
        }
        // The places go into a table of their own first, read in index order
        // while the index is there; a new table numbers its rows 1, 2, ... in
        // the order they are inserted, so its rowid is the pigeon's number.
        // Joining that table costs far less than numbering with a window
        // function inside the update.
        runStatement(db, QStringLiteral("CREATE TEMP TABLE pigeon_places (pigeon INTEGER)"));
        runStatement(db, QStringLiteral(
            "INSERT INTO temp.pigeon_places (pigeon) SELECT rowid FROM pigeons ORDER BY nr, rowid"));
        // Keeping the index up to date row by row costs more than building
        // it again once the numbers are written.
        if (indexed)
            runStatement(db, QStringLiteral("DROP INDEX %1").arg(kNumberIndex));
        runStatement(db, QStringLiteral(
            "UPDATE pigeons SET nr = place.rowid FROM temp.pigeon_places AS place "
            "WHERE pigeons.rowid = place.pigeon AND pigeons.nr IS NOT place.rowid"));
        runStatement(db, QStringLiteral("DROP TABLE temp.pigeon_places"));
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
