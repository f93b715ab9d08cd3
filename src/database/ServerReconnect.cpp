#include "database/ServerReconnect.h"
#include "database/CatalogueSnapshot.h"
#include "database/EngineHandle.h"
#include "database/SqlDialect.h"
#include <QHash>

namespace durvek {

namespace {

// libpq no longer tells whether a broken connection was inside a transaction,
// so the program keeps count of its own. Connections are used only by the
// thread that made them.
QHash<QString, int>& openTransactions()
{
    thread_local QHash<QString, int> byConnection;
    return byConnection;
}

} // namespace

void noteServerTransactionBegun(const QSqlDatabase& db)
{
    ++openTransactions()[db.connectionName()];
}

void noteServerTransactionEnded(const QSqlDatabase& db)
{
    QHash<QString, int>& open = openTransactions();
    const auto found = open.find(db.connectionName());
    if (found != open.end() && --found.value() <= 0)
        open.erase(found);
}

bool reopenLostServerConnection(QSqlDatabase db)
{
    if (!serverConnectionBroken(db) || openTransactions().contains(db.connectionName()))
        return true;
    db.close();
    if (!db.open())
        return false;
    // A new session starts from the server's defaults, and whatever a
    // snapshot of the catalogue saw is read again rather than trusted.
    CatalogueSnapshot::noteRollback(db);
    configureSession(db);
    return true;
}

} // namespace durvek
