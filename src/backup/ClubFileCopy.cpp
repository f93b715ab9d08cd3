#include "backup/ClubFileCopy.h"
#include "backup/BackupMaker.h"
#include "backup/DeliveredClubFile.h"
#include "backup/SqliteFile.h"
#include "database/ClubCopy.h"
#include "database/DatabaseError.h"
#include "database/FancierRevision.h"
#include "database/SchemaUpgrade.h"
#include "database/SqlUtil.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUuid>

namespace durvek {

namespace {

// A club database file opened beside the club's own connection, for as long
// as a copy takes.
class ScratchConnection {
public:
    explicit ScratchConnection(const QString& path)
        : m_name(QStringLiteral("scratch-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (!db.open()) {
            const DatabaseError failure = DatabaseError::fromEngine(db.lastError(), path);
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            throw failure;
        }
    }
    ~ScratchConnection()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    ScratchConnection(const ScratchConnection&) = delete;
    ScratchConnection& operator=(const ScratchConnection&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

QString stagingPath(const QString& stagingFolder, const QString& target)
{
    return QDir(stagingFolder).filePath(QFileInfo(target).fileName() + QLatin1String(kUnfinishedSuffix));
}

} // namespace

void copyClubIntoFile(const QSqlDatabase& club, const QString& target, const QString& stagingFolder)
{
    const QString unfinished = stagingPath(stagingFolder, target);
    QFile::remove(unfinished);
    try {
        writeDeliveredClubFile(unfinished);
        {
            const ScratchConnection copy(unfinished);
            upgradeSchema(copy.db());
            copyClub(club, copy.db());
        }
        replaceFile(unfinished, target);
    } catch (...) {
        QFile::remove(unfinished);
        throw;
    }
}

void copyFileIntoClub(const QString& source, const QSqlDatabase& club, const QString& stagingFolder)
{
    const QString upToDate = stagingPath(stagingFolder, source);
    try {
        {
            const SqliteFile from(source, SqliteFile::ReadOnly);
            copyDatabase(from.handle(), upToDate, stagingFolder);
        }
        {
            const ScratchConnection copy(upToDate);
            upgradeSchema(copy.db());
            inTransaction(club, [&] { replaceEveryFancier(club, [&] { copyClub(copy.db(), club); }); });
        }
        QFile::remove(upToDate);
    } catch (...) {
        QFile::remove(upToDate);
        throw;
    }
}

} // namespace durvek
