#include "database/EngineHandle.h"
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

namespace durvek {

sqlite3* engineHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

} // namespace durvek
