#pragma once
#include <QSqlDatabase>

namespace durvek {

// A club on a server carries on after the server restarted or the network
// dropped for a moment: before a request, a server connection known to be
// broken is opened again, once, with what it was opened with (the password
// typed at the prompt included, kept in memory only) and the same session
// settings. Never inside a unit of work: the server rolled that back when the
// connection broke, and its later statements must fail rather than run on
// their own on a new connection. The request that found the connection
// broken is never run again; the user does it again.

// Reopens db when it is a server connection known to be broken and no unit
// of work is open on it. Returns false only when the reopening failed (db's
// last error tells why); inside a unit it leaves db broken, and the request
// fails by itself.
bool reopenLostServerConnection(QSqlDatabase db);

// The program opened / ended a transaction of its own on a server connection
// (the outermost unit of work, a read snapshot). Counted per connection.
void noteServerTransactionBegun(const QSqlDatabase& db);
void noteServerTransactionEnded(const QSqlDatabase& db);

} // namespace durvek
