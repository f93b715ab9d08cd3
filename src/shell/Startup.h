#pragma once
#include <QString>

namespace durvek {

// The club database file inside the program folder.
QString clubDatabasePath(const QString& programDir);

// The program's start-up, up to the point where the menu is shown:
// works out the decimal separator, opens the club database next to the
// program (never creating it), brings its schema up to date, renumbers the
// pigeons, resets the shared run state and loads the settings into appState().
//
// A write-protected file opens read only; it is used as it is when its schema
// is up to date (the pigeons keep their numbers), and refused with a plain
// sentence when the upgrade would have to write to it.
//
// Throws DatabaseError, whose details name the database file and carry the
// engine's message, when the file is missing, unreadable or damaged, a table
// the upgrade needs is absent, or a read-only file is not up to date. The
// connection stays open for the run.
void runStartup(const QString& programDir);

} // namespace durvek
