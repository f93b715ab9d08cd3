#include "backup/DeliveredClubFile.h"
#include "backup/SqliteFile.h"
#include "database/ServerLayout.h"
#include <QFileInfo>
#include <sqlite3.h>

namespace durvek {

// A club on a server has no delivered file beside the program to start a
// backup from, so the file is made from the delivered SQL built into the
// program, as a server database is laid out.
void writeDeliveredClubFile(const QString& path)
{
    if (QFileInfo::exists(path))
        throw DatabaseError(DatabaseError::Kind::Other, QStringLiteral("The file exists already"), path);
    const QStringList statements = deliveredClubStatements();
    const SqliteFile file(path, SqliteFile::Create);
    file.column("BEGIN");
    for (const QString& statement : statements) {
        const int rc = sqlite3_exec(file.handle(), statement.toUtf8().constData(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            throw file.error(rc);
    }
    file.column("COMMIT");
}

} // namespace durvek
