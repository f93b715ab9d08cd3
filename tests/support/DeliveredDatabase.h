#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace durvek::testing {

// A fresh copy of the database as delivered (data/durvadm.sql) at path.
void writeDeliveredDatabase(const QString& path);

// writeDeliveredDatabase into dir, then opened as the club database.
QSqlDatabase openDeliveredDatabase(const QString& dir);

// Runs SQL on db and fails the test (by throwing) when the engine refuses.
void exec(const QSqlDatabase& db, const QString& sql);

// Every row of a query as one text line each, for comparing table contents.
QStringList rows(const QSqlDatabase& db, const QString& sql);

// The schema as the engine keeps it (tables, columns, indexes), one line each.
QStringList schema(const QSqlDatabase& db);

} // namespace durvek::testing
