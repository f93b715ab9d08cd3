#pragma once
#include <QString>

namespace durvek {

// The server database this user's program opens when no --database is given,
// kept in the per-user settings (key database/server), never in the club
// database. Empty: the club database file next to the program.
QString rememberedServer();

// Keeps uri for the next starts without its password; empty forgets it.
void rememberServer(const QString& uri);

} // namespace durvek
