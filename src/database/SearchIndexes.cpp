#include "database/SearchIndexes.h"
#include "database/SqlUtil.h"

namespace durvek {

void AddFancierSearchIndexes(const QSqlDatabase& db)
{
    runStatement(db, QStringLiteral(
        "CREATE INDEX IF NOT EXISTS fanciers_search_licence ON fanciers (sort, id, Licence)"));
    runStatement(db, QStringLiteral(
        "CREATE INDEX IF NOT EXISTS fanciers_search_name ON fanciers (sort, id, Name)"));
}

} // namespace durvek
