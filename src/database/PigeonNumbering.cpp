#include "database/PigeonNumbering.h"
#include "database/SqlUtil.h"

namespace durvek {

void RenumberPigeons(const QSqlDatabase& db)
{
    // rowid breaks ties so that equal numbers keep their stored order on every
    // engine version; "IS NOT" leaves right rows alone (and catches NULL).
    static const QString renumber = QStringLiteral(
        "UPDATE pigeons SET nr = numbered.rn "
        "FROM (SELECT rowid AS rid, row_number() OVER (ORDER BY nr, rowid) AS rn "
        "      FROM pigeons) AS numbered "
        "WHERE pigeons.rowid = numbered.rid AND pigeons.nr IS NOT numbered.rn");
    inTransaction(db, [&] { runStatement(db, renumber); });
}

int32_t NextPigeonNr(const QSqlDatabase& db)
{
    return int32_t(
        queryValue(db, QStringLiteral("SELECT coalesce(max(nr), 0) + 1 FROM pigeons")).toLongLong());
}

} // namespace durvek
