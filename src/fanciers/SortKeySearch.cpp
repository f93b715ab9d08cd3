#include "fanciers/SortKeySearch.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"

namespace durvek {

int32_t FindFancierBySortKey(const QSqlDatabase& db, const QString& text)
{
    const QVariant id = queryValue(db,
                                   QStringLiteral("SELECT id FROM fanciers WHERE %1 ORDER BY sort, id LIMIT 1")
                                       .arg(startsWithIgnoringCase(db, QStringLiteral("sort"))),
                                   {likePrefixPattern(text)});
    return id.isValid() ? int32_t(id.toLongLong()) : 0;
}

} // namespace durvek
