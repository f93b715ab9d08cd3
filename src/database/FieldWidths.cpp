#include "database/FieldWidths.h"
#include "database/SqlDialect.h"

namespace durvek {

QHash<QString, int> textFieldWidths(const QSqlDatabase& db, const QString& table)
{
    return declaredTextWidths(db, table);
}

} // namespace durvek
