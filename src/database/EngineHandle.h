#pragma once

class QSqlDatabase;
struct sqlite3;

namespace durvek {

// The club connection's engine handle (the Qt driver's sqlite3*), for what
// the driver does not offer; nullptr on a connection of another engine.
sqlite3* engineHandle(const QSqlDatabase& db);

// Whether a server connection is inside a transaction (also one that failed
// and awaits its rollback); false on a connection of another engine. Read
// from the connection's own state: asking the server would cost a round trip.
bool insideServerTransaction(const QSqlDatabase& db);

} // namespace durvek
