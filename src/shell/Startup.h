#pragma once
#include "database/DatabaseLocation.h"
#include "database/PasswordSource.h"
#include <QString>
#include <optional>

namespace durvek {

// The club database file inside folder.
QString clubDatabasePath(const QString& folder);

// The program's start-up, up to the point where the menu is shown:
// works out the decimal separator, opens the club database in folder (the
// one ClubDatabaseLocation chose; never creating it), brings its schema up to
// date, renumbers the pigeons, resets the shared run state and loads the
// settings into appState().
//
// A write-protected file opens read only; it is used as it is when its schema
// is up to date (the pigeons keep their numbers), and refused with a plain
// sentence when the upgrade would have to write to it.
//
// Before the upgrade writes to the file, a backup of it goes into the folder
// "backups" beside it (pruned once the settings are read). Returns why that
// backup could not be made, empty when it was: start-up goes on without it.
//
// Throws DatabaseError, whose details name the database file and carry the
// engine's message, when the file is missing, unreadable or damaged, a table
// the upgrade needs is absent, or a read-only file is not up to date. The
// connection stays open for the run.
QString runStartup(const QString& folder);

// Where this run's club database is: databaseArgument (--database) when
// given, a server URI or a file path; else the server remembered in the
// user's settings; else the club database file in folder.
DatabaseLocation chooseClubDatabase(const QString& folder, const QString& databaseArgument);

// The club database file in folder when chooseClubDatabase chose the
// remembered server: what the user may start on instead when that server
// cannot be opened. Nothing when the database was given as databaseArgument
// (the user typed it, so its failure stands) or is the file already.
std::optional<DatabaseLocation> clubFileInsteadOfServer(const QString& folder, const QString& databaseArgument);

// runStartup on a file or a server database. A server database that is empty
// is laid out first (ServerLayout); passwords is asked when the server wants
// a password. The start backup of a club on a server is a club database
// file too (copied row by row), in the backups folder of the program's folder.
QString runStartup(const DatabaseLocation& location, PasswordSource& passwords);

// The club database of this run, as start-up opened it.
const DatabaseLocation& startedDatabase();

// Opens startedDatabase() again after its file was replaced (a
// restore): the upgrade, the catalogue, the run state and the settings as at
// start-up, without a start backup. Throws DatabaseError as runStartup does.
void reopenClubDatabase();

} // namespace durvek
