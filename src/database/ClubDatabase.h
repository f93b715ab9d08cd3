#pragma once
#include "database/DatabaseError.h"
#include "database/DatabaseLocation.h"
#include "database/PasswordSource.h"
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// The one open connection to the club database: the SQLite file durvadm.db,
// or a database on a PostgreSQL server.
class ClubDatabase {
public:
    static constexpr const char* kConnectionName = "club";
    static constexpr const char* kFileName = "durvadm.db";

    // Opens an existing file, never creating one: read-write, or read only
    // when the file or its folder is write-protected. The engine's quick check
    // runs first, so that a damaged file is refused before anything is written.
    // Throws DatabaseError when the file is missing, unreadable, no database
    // or damaged (kind Corrupt).
    static QSqlDatabase open(const QString& path);

    // Opens the file as above, or connects to the server database. The
    // server is asked without a password first (the URI's own, or the one
    // libpq finds in ~/.pgpass); passwords asks only when the server wants
    // one. A server database is not laid out or checked here (ServerLayout).
    // Throws DatabaseError when the server cannot be reached or refuses,
    // with a plain sentence of what to check and the engine's text as detail.
    static QSqlDatabase open(const DatabaseLocation& location, PasswordSource& passwords);

    // True when db was opened read only: every write to it is refused.
    static bool isReadOnly(const QSqlDatabase& db);

    // The open connection (invalid before open()).
    static QSqlDatabase get();

    // Closes and removes the connection (tests, and the end of the run).
    static void close();
};

} // namespace durvek
