#pragma once
#include "database/DatabaseError.h"
#include "database/EngineHandle.h"
#include <QString>
#include <QStringList>

struct sqlite3;

namespace durvek {

// A database file opened through the engine directly, apart from the club
// connection: backups are read and written page by page, which the Qt driver
// does not offer.
class SqliteFile {
public:
    enum Mode { ReadOnly, Create };

    // Throws DatabaseError naming the file when the engine cannot open it.
    SqliteFile(const QString& path, Mode mode);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    sqlite3* handle() const { return m_db; }
    const QString& path() const { return m_path; }

    // The first column of every row of sql, with text bound to its one
    // parameter when given. Throws DatabaseError when the engine refuses,
    // which for a file that is no database happens here, not at opening.
    QStringList column(const char* sql, const QString& text = {}) const;

    // A DatabaseError of the engine's kind for result code rc on this file.
    DatabaseError error(int rc) const;

private:
    sqlite3* m_db = nullptr;
    QString m_path;
};

} // namespace durvek
