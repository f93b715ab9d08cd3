#include "database/PigeonNumbering.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"

namespace durvek {

namespace {

// rowid breaks ties so that equal numbers keep their stored order on every
// engine version.
const QString kNumbered = QStringLiteral(
    "(SELECT rowid AS rid, nr, row_number() OVER (ORDER BY nr, rowid) AS rn FROM pigeons) AS numbered");

// Asked first, so that a club already numbered 1..n is only read: the engine
// refuses even an UPDATE that would change nothing on a read-only file.
bool someNumberIsWrong(const QSqlDatabase& db)
{
    return queryValue(db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1 WHERE nr IS NOT rn)").arg(kNumbered))
        .toBool();
}

} // namespace

void RenumberPigeons(const QSqlDatabase& db)
{
    if (!someNumberIsWrong(db) || ClubDatabase::isReadOnly(db))
        return;
    // "IS NOT" leaves right rows alone (and catches NULL).
    const QString renumber = QStringLiteral("UPDATE pigeons SET nr = numbered.rn FROM %1 "
                                            "WHERE pigeons.rowid = numbered.rid AND pigeons.nr IS NOT numbered.rn")
                                 .arg(kNumbered);
    inTransaction(db, [&] { runStatement(db, renumber); });
}

int32_t NextPigeonNr(const QSqlDatabase& db)
{
    return int32_t(
        queryValue(db, QStringLiteral("SELECT coalesce(max(nr), 0) + 1 FROM pigeons")).toLongLong());
}

} // namespace durvek
