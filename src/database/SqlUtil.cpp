#include "database/SqlUtil.h"
#include <QStandardPaths>
#include <QFileInfo>
#include <QDir>
#include <QCoreApplication>
#include "database/ClubDatabase.h"
#include "database/DatabaseLocation.h"
#include "database/EngineHandle.h"
#include "database/ServerReconnect.h"
#include <QSqlError>
#include <QUrl>

namespace durvek {

namespace {

[[noreturn]] void throwEngineError(const QSqlDatabase& db, const QSqlError& error,
                                   const QString& sql)
{
    throw engineFailure(db, error, sql);
}

void reopenIfLost(const QSqlDatabase& db, const QString& sql)
{
    if (!reopenLostServerConnection(db))
        throwEngineError(db, db.lastError(), sql);
}

// A query prepared before its connection broke names a statement that the
// server forgot with the connection: this request fails as lost, and the
// reopening lets the next one through.
[[noreturn]] void throwPreparedOnLostConnection(const QSqlDatabase& db, const QString& sql)
{
    reopenLostServerConnection(db);
    const QSqlError lost(QStringLiteral("the connection broke before the statement ran"), QString(),
                         QSqlError::ConnectionError, QStringLiteral("08006"));
    throw DatabaseError::fromEngine(lost, databaseFile(db), sql);
}

} // namespace

DatabaseError engineFailure(const QSqlDatabase& db, const QSqlError& error, const QString& sql)
{
    DatabaseError failure = DatabaseError::fromEngine(error, databaseFile(db), sql);
    // The driver closes a server connection that broke, often without a
    // code; the next request outside a unit of work opens it again.
    if (engineOf(db) == SqlEngine::Postgres && !db.isOpen()) {
        using Kind = DatabaseError::Kind;
        return DatabaseError(Kind::ConnectionLost, DatabaseError::plainSentence(Kind::ConnectionLost),
                             failure.details());
    }
    return failure;
}

QString escapeLike(const QString& text, QChar escape)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'%' || c == u'_' || c == escape)
            escaped.append(escape);
        escaped.append(c);
    }
    return escaped;
}

QString likePrefixPattern(const QString& prefix, QChar escape)
{
    return escapeLike(prefix, escape) + u'%';
}

QString quoteIdentifier(const QString& name)
{
    QString inner = name;
    inner.replace(u'"', QLatin1String("\"\""));
    return u'"' + inner + u'"';
}

QString clubFilesFolder(const QSqlDatabase& db)
{
    if (engineOf(db) == SqlEngine::Sqlite)
        return QFileInfo(databaseFile(db)).absolutePath();
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (QFileInfo(programFolder).isWritable())
        return programFolder;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("durvek-club"));
}

QString databaseFile(const QSqlDatabase& db)
{
    if (engineOf(db) == SqlEngine::Postgres)
        return serverDisplayName(db);
    const QString name = db.databaseName();
    if (!name.startsWith(QLatin1String("file:")))
        return name;
    // Opened by URI (file:///path?mode=rw): show the plain path.
    return QUrl(name).toLocalFile();
}

void execPrepared(QSqlQuery& query, const QSqlDatabase& db)
{
    if (serverConnectionBroken(db))
        throwPreparedOnLostConnection(db, query.lastQuery());
    CatalogueSnapshot::noteStatement(db, query.lastQuery());
    if (!query.exec())
        throwEngineError(db, query.lastError(), query.lastQuery());
}

QSqlQuery runStatement(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    reopenIfLost(db, sql);
    QSqlQuery query(db);
    // A server prepares only queries and changes of rows, never DDL or
    // transaction control; with nothing to bind there is nothing to prepare.
    if (values.isEmpty()) {
        CatalogueSnapshot::noteStatement(db, sql);
        if (!query.exec(sql))
            throwEngineError(db, query.lastError(), sql);
        return query;
    }
    if (!query.prepare(sql))
        throwEngineError(db, query.lastError(), sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    execPrepared(query, db);
    return query;
}

QVariant queryValue(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = runStatement(db, sql, values);
    return query.next() ? query.value(0) : QVariant();
}

// Savepoints rather than BEGIN/COMMIT: the unit then also works inside a
// transaction a caller has opened already (it becomes part of it). On its own
// it is a transaction of its own: SQLite opens one for a savepoint, a server
// refuses a savepoint outside a transaction, so there the unit begins one
// unless the connection is inside one already.
bool beginTransaction(QSqlDatabase& db)
{
    const QString savepoint = QStringLiteral("SAVEPOINT durvek_unit");
    const bool outermost = engineOf(db) == SqlEngine::Postgres && !insideServerTransaction(db);
    if (outermost) {
        runStatement(db, QStringLiteral("BEGIN"));
        noteServerTransactionBegun(db);
    }
    try {
        runStatement(db, savepoint);
    } catch (...) {
        if (outermost) {
            QSqlQuery rollback(db);
            rollback.exec(QStringLiteral("ROLLBACK"));
            noteServerTransactionEnded(db);
        }
        throw;
    }
    return outermost;
}

void commitTransaction(QSqlDatabase& db, bool outermost)
{
    try {
        runStatement(db, QStringLiteral("RELEASE durvek_unit"));
        if (outermost) {
            runStatement(db, QStringLiteral("COMMIT"));
            noteServerTransactionEnded(db);
        }
    } catch (...) {
        rollbackTransaction(db, outermost);
        throw;
    }
}

void rollbackTransaction(QSqlDatabase& db, bool outermost) noexcept
{
    CatalogueSnapshot::noteRollback(db);
    QSqlQuery query(db);
    query.exec(QStringLiteral("ROLLBACK TO durvek_unit"));
    query.exec(QStringLiteral("RELEASE durvek_unit"));
    if (outermost) {
        query.exec(QStringLiteral("ROLLBACK"));
        noteServerTransactionEnded(db);
    }
}

} // namespace durvek
