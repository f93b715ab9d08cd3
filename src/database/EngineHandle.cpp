#include "database/EngineHandle.h"
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <libpq-fe.h>

namespace durvek {

sqlite3* engineHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

bool insideServerTransaction(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    // The driver names the type by the structure behind libpq's typedef.
    if (!handle.isValid()
        || (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return false;
    PGconn* connection = *static_cast<PGconn* const*>(handle.constData());
    if (connection == nullptr)
        return false;
    const PGTransactionStatusType status = PQtransactionStatus(connection);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

} // namespace durvek
