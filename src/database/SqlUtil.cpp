#include "database/SqlUtil.h"
#include "database/ClubDatabase.h"
#include "database/DatabaseLocation.h"
#include <QSqlError>
#include <QUrl>

namespace durvek {

namespace {

[[noreturn]] void throwEngineError(const QSqlDatabase& db, const QSqlError& error,
                                   const QString& sql)
{
    throw DatabaseError::fromEngine(error, databaseFile(db), sql);
}

} // namespace

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
    if (!query.exec())
        throwEngineError(db, query.lastError(), query.lastQuery());
}

QSqlQuery runStatement(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db);
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
// transaction a caller has opened already (it becomes part of it), and on its
// own it is a transaction of its own.
void beginTransaction(QSqlDatabase& db)
{
    runStatement(db, QStringLiteral("SAVEPOINT durvek_unit"));
}

void commitTransaction(QSqlDatabase& db)
{
    try {
        runStatement(db, QStringLiteral("RELEASE durvek_unit"));
    } catch (...) {
        rollbackTransaction(db);
        throw;
    }
}

void rollbackTransaction(QSqlDatabase& db) noexcept
{
    QSqlQuery query(db);
    query.exec(QStringLiteral("ROLLBACK TO durvek_unit"));
    query.exec(QStringLiteral("RELEASE durvek_unit"));
}

} // namespace durvek
