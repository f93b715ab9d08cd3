#pragma once

class QSqlDatabase;
struct sqlite3;

namespace durvek {

// The club connection's engine handle (the Qt driver's sqlite3*), for what
// the driver does not offer; nullptr on a connection of another engine.
sqlite3* engineHandle(const QSqlDatabase& db);

} // namespace durvek
