#pragma once
#include <QSqlDatabase>
#include <QString>
#include <stdexcept>

namespace durvek {

// A failure to open or upgrade the club database; what() names the file and
// carries the engine's message.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The one open connection to the club database (SQLite file durvadm.db).
class ClubDatabase {
public:
    static constexpr const char* kConnectionName = "club";
    static constexpr const char* kFileName = "durvadm.db";

    // Opens an existing file read-write; never creates one.
    // Throws DatabaseError when the file is missing, unreadable or not a database.
    static QSqlDatabase open(const QString& path);

    // The open connection (invalid before open()).
    static QSqlDatabase get();

    // Closes and removes the connection (tests, and the end of the run).
    static void close();
};

} // namespace durvek
