#pragma once
#include <QSqlDatabase>
#include <QStringList>

namespace durvek {

// Makes a server database the club's: an empty one gets the tables, indexes
// and rows of the delivered club database (data/durvadm.sql, built into the
// program), in one transaction; a club database already there is left alone
// for the start-up upgrade. A database holding tables of something else is
// refused (DatabaseError with catalogue text 310), so that nothing is written
// into it. On the SQLite file it does nothing: that file is delivered.
void layOutServerDatabase(const QSqlDatabase& db);

// The delivered club database's SQL, statement by statement (written for
// SQLite; CREATE TABLE through translateDdl on the server).
QStringList deliveredClubStatements();

} // namespace durvek
