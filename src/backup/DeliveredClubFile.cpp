#include "backup/DeliveredClubFile.h"
#include "backup/SqliteFile.h"
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace durvek {

namespace {

// data/durvadm.sql, compiled in: a club on a server has no delivered file
// beside the program to start a backup from.
const QString kDeliveredScript = QStringLiteral(":/backup/durvadm.sql");

QByteArray deliveredScript()
{
    QFile script(kDeliveredScript);
    if (!script.open(QIODevice::ReadOnly))
        throw DatabaseError(DatabaseError::Kind::Other, QStringLiteral("The delivered club database is missing"),
                            kDeliveredScript + QStringLiteral(": ") + script.errorString());
    return script.readAll();
}

} // namespace

void writeDeliveredClubFile(const QString& path)
{
    if (QFileInfo::exists(path))
        throw DatabaseError(DatabaseError::Kind::Other, QStringLiteral("The file exists already"), path);
    const QByteArray script = "BEGIN;\n" + deliveredScript() + "\nCOMMIT;";
    const SqliteFile file(path, SqliteFile::Create);
    const int rc = sqlite3_exec(file.handle(), script.constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw file.error(rc);
}

} // namespace durvek
