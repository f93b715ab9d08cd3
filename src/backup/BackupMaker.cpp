#include "backup/BackupMaker.h"
#include "backup/BackupName.h"
#include "backup/ClubFileCopy.h"
#include "backup/SqliteFile.h"
#include "database/SqlUtil.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>
#include <filesystem>
#include <memory>
#include <system_error>

namespace durvek {

namespace {

const QString kBackupFolder = QStringLiteral("backups");

DatabaseError fileError(const QString& path, const QString& what)
{
    return DatabaseError(DatabaseError::Kind::Other, QStringLiteral("The backup could not be written"),
                         QDir::toNativeSeparators(path) + QStringLiteral(": ") + what);
}

void copyPages(sqlite3* source, SqliteFile& target, const CopyProgress& progress, int pagesPerStep)
{
    // The copy is thrown away when it fails, so it needs no journal; the
    // commit still waits until the pages are on disk.
    target.column("PRAGMA journal_mode = OFF");
    const std::unique_ptr<sqlite3_backup, int (*)(sqlite3_backup*)> backup(
        sqlite3_backup_init(target.handle(), "main", source, "main"), &sqlite3_backup_finish);
    if (!backup)
        throw target.error(sqlite3_errcode(target.handle()));
    int rc = SQLITE_OK;
    while ((rc = sqlite3_backup_step(backup.get(), pagesPerStep)) == SQLITE_OK) {
        if (progress) {
            const int total = sqlite3_backup_pagecount(backup.get());
            progress(total - sqlite3_backup_remaining(backup.get()), total);
        }
    }
    if (rc != SQLITE_DONE)
        throw target.error(rc);
}

QString freeBackupPath(const QDir& folder, BackupName name)
{
    while (folder.exists(name.fileName()))
        ++name.sequence;
    return folder.filePath(name.fileName());
}

// Where a new backup goes: folder made when missing, the file named by base,
// when and why.
QString newBackupPath(const QString& base, const QString& folder, BackupReason reason, const QDateTime& now)
{
    if (!QDir().mkpath(folder))
        throw fileError(folder, QStringLiteral("the folder cannot be made"));
    BackupName name;
    name.base = base;
    name.made = now;
    name.reasonWord = backupReasonWord(reason);
    return freeBackupPath(QDir(folder), name);
}

} // namespace

QString backupFolderOf(const QString& databasePath)
{
    return QFileInfo(databasePath).absoluteDir().filePath(kBackupFolder);
}

void copyDatabase(sqlite3* source, const QString& target, const QString& stagingFolder,
                  const CopyProgress& progress, int pagesPerStep)
{
    const QString unfinished
        = QDir(stagingFolder).filePath(QFileInfo(target).fileName() + QLatin1String(kUnfinishedSuffix));
    QFile::remove(unfinished);
    try {
        {
            SqliteFile copy(unfinished, SqliteFile::Create);
            copyPages(source, copy, progress, pagesPerStep);
        }
        // A file that is replaced (the club database on a restore) keeps who may use it.
        if (QFileInfo::exists(target))
            QFile::setPermissions(unfinished, QFile::permissions(target));
        replaceFile(unfinished, target);
    } catch (...) {
        QFile::remove(unfinished);
        throw;
    }
}

QString makeBackup(sqlite3* source, const QString& databasePath, const QString& folder,
                   BackupReason reason, const QDateTime& now, const CopyProgress& progress,
                   int pagesPerStep)
{
    if (!source)
        throw fileError(databasePath, QStringLiteral("the database is not open"));
    const QString path = newBackupPath(QFileInfo(databasePath).completeBaseName(), folder, reason, now);
    copyDatabase(source, path, folder, progress, pagesPerStep);
    return path;
}

QString backUpClub(const QSqlDatabase& db, const QString& folder, BackupReason reason, const QDateTime& now)
{
    if (engineOf(db) == SqlEngine::Sqlite)
        return makeBackup(engineHandle(db), databaseFile(db), folder, reason, now);
    const QString path = newBackupPath(db.databaseName(), folder, reason, now);
    copyClubIntoFile(db, path, folder);
    return path;
}

void replaceFile(const QString& from, const QString& to)
{
    std::error_code failure;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), failure);
    if (failure)
        throw fileError(to, QString::fromStdString(failure.message()));
}

void removeUnfinishedCopies(const QString& folder)
{
    const QString pattern = QStringLiteral("*") + QLatin1String(kUnfinishedSuffix);
    const QDir dir(folder);
    for (const QString& name : dir.entryList({pattern, pattern + QStringLiteral("-journal")}, QDir::Files))
        QFile::remove(dir.filePath(name));
}

} // namespace durvek
