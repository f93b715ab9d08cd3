#pragma once
// Every table of a club database with rows, for tests that move a club from
// one database to another and compare what arrived.
#include <QSqlDatabase>
#include <QStringList>

namespace durvek::testing {

// Rows in every table of an up-to-date club database, with what a copy
// might lose: gaps in the rowid of tables without a key of their own,
// nulls, quotes, non-ASCII text and fractions.
void fillEveryClubTable(const QSqlDatabase& db);

// Every row of every table with its rowid, in rowid order, columns by name
// in lower case (the engines spell names differently).
QStringList clubRows(const QSqlDatabase& db);

} // namespace durvek::testing
