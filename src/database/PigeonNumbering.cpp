#include "database/PigeonNumbering.h"
#include "database/SqlUtil.h"

namespace durvek {

namespace {

// The numbering in which rowid breaks ties, so that equal numbers keep their
// stored order on every engine version. With the index on nr this order is the
// index's own, so reading it needs no sort.
const QString kNumberedInOrder = QStringLiteral(
    "SELECT rowid AS rid, nr, row_number() OVER (ORDER BY nr, rowid) AS rn FROM pigeons");

// Walks the index and stops at the first pigeon whose number is not its place;
// "IS NOT" also catches NULL and numbers stored as text or fractions.
bool anyPigeonOutOfPlace(const QSqlDatabase& db)
{
    return queryValue(db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM (%1) WHERE nr IS NOT rn)")
                              .arg(kNumberedInOrder))
        .toBool();
}

} // namespace

void AddPigeonNumberIndex(const QSqlDatabase& db)
{
    runStatement(db, QStringLiteral("CREATE INDEX IF NOT EXISTS pigeons_nr ON pigeons (Nr)"));
}

void RenumberPigeons(const QSqlDatabase& db)
{
    if (!anyPigeonOutOfPlace(db))
        return;
    const QString renumber = QStringLiteral(
        "UPDATE pigeons SET nr = numbered.rn FROM (%1) AS numbered "
        "WHERE pigeons.rowid = numbered.rid AND pigeons.nr IS NOT numbered.rn")
                                 .arg(kNumberedInOrder);
    inTransaction(db, [&] { runStatement(db, renumber); });
}

int32_t NextPigeonNr(const QSqlDatabase& db)
{
    return int32_t(
        queryValue(db, QStringLiteral("SELECT coalesce(max(nr), 0) + 1 FROM pigeons")).toLongLong());
}

} // namespace durvek
