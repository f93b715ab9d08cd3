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
// Throws DatabaseError, whose message names the database file and carries the
// engine's message, when the file is missing or unreadable or a table the
// upgrade needs is absent. The connection stays open for the run.
void runStartup(const QString& programDir);

} // namespace durvek
