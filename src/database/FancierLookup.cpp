#include "database/FancierLookup.h"
#include "database/SqlUtil.h"

namespace durvek {

int32_t FindFancierByLicence(const QSqlDatabase& db, const QString& licence)
{
    if (licence.isEmpty())
        return 0;
    const QVariant id = queryValue(db, QStringLiteral("SELECT id FROM fanciers WHERE Licence = ? ORDER BY id LIMIT 1"),
                                   {licence});
    return id.isValid() ? int32_t(id.toLongLong()) : 0;
}

} // namespace durvek
