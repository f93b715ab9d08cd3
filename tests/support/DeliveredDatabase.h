#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include "support/ServerClub.h"

namespace durvek::testing {

// A fresh copy of the database as delivered (data/durvadm.sql) at path.
void writeDeliveredDatabase(const QString& path);

// writeDeliveredDatabase into dir, then opened as the club database; on the
// server a fresh database as delivered (dir unused).
QSqlDatabase openDeliveredDatabase(const QString& dir, Engine engine = Engine::FromEnvironment);

// Runs SQL on db and fails the test (by throwing) when the engine refuses.
void exec(const QSqlDatabase& db, const QString& sql);

// Every row of a query as one text line each, for comparing table contents.
QStringList rows(const QSqlDatabase& db, const QString& sql);

// The schema as the engine keeps it (tables, columns, indexes), one line each.
// On the server: every column with its type, default and comment, every index.
QStringList schema(const QSqlDatabase& db);

// Every row of every table, each line headed by its table's name.
QStringList allRows(const QSqlDatabase& db);

// A trigger that makes the engine refuse a change of table with message
// when condition holds. timing is "BEFORE" or "AFTER", event "INSERT",
// "UPDATE" or "DELETE"; condition is SQL on new.<field> / old.<field>.
// For tests of what a refused write leaves behind, on either engine.
void addRefusingTrigger(const QSqlDatabase& db, const QString& name, const QString& timing,
                        const QString& event, const QString& table, const QString& condition,
                        const QString& message);
// A trigger that runs statement (one SQL statement that both engines take,
// on new.<field> / old.<field>) for each changed row where condition holds.
void addTrigger(const QSqlDatabase& db, const QString& name, const QString& timing, const QString& event,
                const QString& table, const QString& condition, const QString& statement);
void dropTrigger(const QSqlDatabase& db, const QString& name, const QString& table);

// Every write on the connection refused (true) or allowed again (false).
void setWritesRefused(const QSqlDatabase& db, bool refused);

} // namespace durvek::testing
