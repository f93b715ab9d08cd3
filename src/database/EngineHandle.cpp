#include "database/EngineHandle.h"
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <libpq-fe.h>

namespace durvek {

namespace {

// The driver names the type by the structure behind libpq's typedef.
bool holdsServerHandle(const QVariant& handle)
{
    return handle.isValid()
        && (qstrcmp(handle.typeName(), "pg_conn*") == 0 || qstrcmp(handle.typeName(), "PGconn*") == 0);
}

} // namespace

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
    if (!holdsServerHandle(handle))
        return false;
    PGconn* connection = *static_cast<PGconn* const*>(handle.constData());
    if (connection == nullptr)
        return false;
    const PGTransactionStatusType status = PQtransactionStatus(connection);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

bool serverConnectionBroken(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!holdsServerHandle(handle))
        return false;
    // No connection at all after an opening that failed.
    PGconn* connection = *static_cast<PGconn* const*>(handle.constData());
    return connection == nullptr || PQstatus(connection) == CONNECTION_BAD;
}

} // namespace durvek
