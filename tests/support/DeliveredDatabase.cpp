#include "support/DeliveredDatabase.h"
#include "DatabaseFileWriter.h"
#include "SqlScript.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <stdexcept>

namespace durvek::testing {

void writeDeliveredDatabase(const QString& path)
{
    QFile sql(QStringLiteral(DURVEK_SOURCE_DIR "/data/durvadm.sql"));
    if (!sql.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read data/durvadm.sql");
    const QString script = QString::fromUtf8(sql.readAll());
    writeDatabaseFile(path, [&](QSqlDatabase& db) { runSqlScript(db, script); }, false);
}

QSqlDatabase openDeliveredDatabase(const QString& dir, Engine engine)
{
    if (resolvedEngine(engine) == Engine::Postgresql)
        return openDeliveredServerDatabase();
    const QString path = dir + QStringLiteral("/durvadm.db");
    writeDeliveredDatabase(path);
    return ClubDatabase::open(path);
}

void exec(const QSqlDatabase& db, const QString& sql)
{
    runStatement(db, sql);
}

QStringList rows(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query = runStatement(db, sql);
    QStringList lines;
    while (query.next()) {
        QStringList cells;
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i)
            cells.append(query.value(i).isNull() ? QStringLiteral("<null>") : query.value(i).toString());
        lines.append(cells.join(u'|'));
    }
    return lines;
}

QStringList schema(const QSqlDatabase& db)
{
    if (engineOf(db) == SqlEngine::Postgres) {
        return rows(db, QStringLiteral(
                   "SELECT c.table_name, c.column_name, c.data_type, c.column_default, c.is_nullable, "
                   "col_description(to_regclass(quote_ident(c.table_name)), c.ordinal_position::int) "
                   "FROM information_schema.columns c WHERE c.table_schema = current_schema() "
                   "ORDER BY c.table_name, c.ordinal_position"))
            + rows(db, QStringLiteral("SELECT indexname, indexdef FROM pg_indexes "
                                      "WHERE schemaname = current_schema() ORDER BY indexname"));
    }
    return rows(db, QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY type, name"));
}

QStringList allRows(const QSqlDatabase& db)
{
    const QString tables = engineOf(db) == SqlEngine::Sqlite
        ? QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")
        : QStringLiteral("SELECT table_name FROM information_schema.tables "
                         "WHERE table_schema = current_schema() ORDER BY table_name");
    QStringList lines;
    for (const QString& table : rows(db, tables)) {
        for (const QString& row : rows(db, QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoteIdentifier(table))))
            lines.append(table + u'|' + row);
    }
    return lines;
}

namespace {

QString triggerRow(const QString& event)
{
    return event == QLatin1String("DELETE") ? QStringLiteral("OLD") : QStringLiteral("NEW");
}

// On the server a trigger runs a function; its name follows the trigger's.
void addServerTrigger(const QSqlDatabase& db, const QString& name, const QString& timing, const QString& event,
                      const QString& table, const QString& body)
{
    exec(db, QStringLiteral("CREATE FUNCTION %1_body() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                            "%2; RETURN %3; END $$")
                 .arg(name, body, triggerRow(event)));
    exec(db, QStringLiteral("CREATE TRIGGER %1 %2 %3 ON %4 FOR EACH ROW EXECUTE FUNCTION %1_body()")
                 .arg(name, timing, event, table));
}

} // namespace

void addRefusingTrigger(const QSqlDatabase& db, const QString& name, const QString& timing,
                        const QString& event, const QString& table, const QString& condition,
                        const QString& message)
{
    if (engineOf(db) == SqlEngine::Sqlite) {
        exec(db, QStringLiteral("CREATE TRIGGER %1 %2 %3 ON %4 WHEN %5 BEGIN SELECT RAISE(ABORT, '%6'); END")
                     .arg(name, timing, event, table, condition, message));
        return;
    }
    addServerTrigger(db, name, timing, event, table,
                     QStringLiteral("IF %1 THEN RAISE EXCEPTION '%2'; END IF").arg(condition, message));
}

void addTrigger(const QSqlDatabase& db, const QString& name, const QString& timing, const QString& event,
                const QString& table, const QString& condition, const QString& statement)
{
    if (engineOf(db) == SqlEngine::Sqlite) {
        exec(db, QStringLiteral("CREATE TRIGGER %1 %2 %3 ON %4 WHEN %5 BEGIN %6; END")
                     .arg(name, timing, event, table, condition, statement));
        return;
    }
    addServerTrigger(db, name, timing, event, table,
                     QStringLiteral("IF %1 THEN %2; END IF").arg(condition, statement));
}

void dropTrigger(const QSqlDatabase& db, const QString& name, const QString& table)
{
    if (engineOf(db) == SqlEngine::Sqlite) {
        exec(db, QStringLiteral("DROP TRIGGER %1").arg(name));
        return;
    }
    exec(db, QStringLiteral("DROP TRIGGER %1 ON %2").arg(name, table));
    exec(db, QStringLiteral("DROP FUNCTION %1_body()").arg(name));
}

void setWritesRefused(const QSqlDatabase& db, bool refused)
{
    if (engineOf(db) == SqlEngine::Sqlite)
        exec(db, QStringLiteral("PRAGMA query_only = %1").arg(refused ? 1 : 0));
    else
        exec(db, QStringLiteral("SET default_transaction_read_only = %1").arg(refused ? "on" : "off"));
}

} // namespace durvek::testing
