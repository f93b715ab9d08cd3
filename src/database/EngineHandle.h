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

// Whether a server connection is known to be broken (libpq saw the server go
// away, or an opening failed); false on a connection of another engine. Like
// the transaction state it is the connection's own knowledge: a server that
// went away in silence is found by the next request that fails.
bool serverConnectionBroken(const QSqlDatabase& db);

} // namespace durvek
