#pragma once
#include "database/DatabaseError.h"
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// The one open connection to the club database (SQLite file durvadm.db).
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

    // True when db was opened read only: every write to it is refused.
    static bool isReadOnly(const QSqlDatabase& db);

    // The open connection (invalid before open()).
    static QSqlDatabase get();

    // Closes and removes the connection (tests, and the end of the run).
    static void close();
};

} // namespace durvek
