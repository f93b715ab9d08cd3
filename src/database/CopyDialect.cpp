#include "database/CopyDialect.h"
#include "database/SqlUtil.h"
#include <QSqlDriver>

namespace durvek {

namespace {

bool onServer(const QSqlDatabase& db)
{
    return db.driverName() == QLatin1String("QPSQL");
}

// The server's catalogue names a table as it was created (folded to lower case).
const QString kServerColumns = QStringLiteral(
    "SELECT column_name, is_generated, is_identity FROM information_schema.columns "
    "WHERE table_schema = current_schema() AND table_name = ?");

} // namespace

bool insertsRowid(const QSqlDatabase& db, const QString& table)
{
    if (onServer(db)) {
        QSqlQuery columns = runStatement(db, kServerColumns, {table});
        while (columns.next()) {
            if (columns.value(0).toString() == QLatin1String("rowid"))
                return columns.value(1).toString() != QLatin1String("ALWAYS");
        }
        return false;
    }
    // One INTEGER key column is SQLite's rowid under another name.
    QSqlQuery keys = runStatement(
        db, QStringLiteral("SELECT upper(type) FROM pragma_table_info(?) WHERE pk > 0"), {table});
    int keyColumns = 0;
    bool integerKey = false;
    while (keys.next()) {
        ++keyColumns;
        integerKey = keys.value(0).toString() == QLatin1String("INTEGER");
    }
    return !(keyColumns == 1 && integerKey);
}

void continueKeysAfterCopy(const QSqlDatabase& db, const QString& table)
{
    if (!onServer(db))
        return;
    QStringList identities;
    QSqlQuery columns = runStatement(db, kServerColumns, {table});
    while (columns.next()) {
        if (columns.value(2).toString() == QLatin1String("YES"))
            identities.append(columns.value(0).toString());
    }
    for (const QString& column : identities) {
        runStatement(db, QStringLiteral("SELECT setval(pg_get_serial_sequence(?, ?), coalesce(max(%1), 0) + 1, false) "
                                        "FROM %2")
                             .arg(quoteIdentifier(column), quoteIdentifier(table)),
                     {quoteIdentifier(table), column});
    }
}

ReadSnapshot::ReadSnapshot(const QSqlDatabase& db) : m_db(db)
{
    // SQLite holds its read lock, and with it the state first read, until the
    // transaction ends; the server must be told to keep one snapshot.
    m_open = m_db.transaction();
    if (!m_open || !onServer(m_db))
        return;
    try {
        runStatement(m_db, QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
    } catch (...) {
        m_db.rollback();
        throw;
    }
}

ReadSnapshot::~ReadSnapshot()
{
    if (m_open)
        m_db.commit();
}

} // namespace durvek
