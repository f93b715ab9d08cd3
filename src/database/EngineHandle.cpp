#include "database/EngineHandle.h"
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include "database/SqlDialect.h"
#include <libpq-fe.h>

namespace durvek {

namespace {

// The server connection's libpq handle; nullptr on a connection of another
// engine or after an opening that failed. The driver names the type by the
// structure behind libpq's typedef.
PGconn* serverConnection(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid()
        || (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
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
    PGconn* connection = serverConnection(db);
    if (connection == nullptr)
        return false;
    const PGTransactionStatusType status = PQtransactionStatus(connection);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

bool serverConnectionBroken(const QSqlDatabase& db)
{
    if (engineOf(db) != SqlEngine::Postgres)
        return false;
    PGconn* connection = serverConnection(db);
    return connection == nullptr || PQstatus(connection) == CONNECTION_BAD;
}

} // namespace durvek
