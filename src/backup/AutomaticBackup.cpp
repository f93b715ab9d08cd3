#include "backup/AutomaticBackup.h"
#include "backup/BackupMaker.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include <QCoreApplication>
#include <QDir>

namespace durvek {

RetentionRule retentionRuleOf(const ClubSettings& settings)
{
    RetentionRule rule;
    if (settings.backupsKept > 0)
        rule.last = settings.backupsKept;
    if (settings.backupMonths >= 0)
        rule.months = settings.backupMonths;
    return rule;
}

QString clubBackupFolder(const QSqlDatabase& db)
{
    if (engineOf(db) == SqlEngine::Sqlite)
        return backupFolderOf(databaseFile(db));
    return backupFolderOf(QDir(QCoreApplication::applicationDirPath()).filePath(ClubDatabase::kFileName));
}

QString makeAutomaticBackup(const QSqlDatabase& db, BackupReason reason, const RetentionRule& rule,
                            const QDateTime& now)
{
    const QString folder = clubBackupFolder(db);
    const QString path = backUpClub(db, folder, reason, now);
    pruneBackups(folder, rule, now.date());
    return path;
}

QString makeStartBackup(const QSqlDatabase& db, const QDateTime& now)
{
    if (ClubDatabase::isReadOnly(db))
        return {};
    const QString folder = clubBackupFolder(db);
    removeUnfinishedCopies(folder);
    try {
        backUpClub(db, folder, BackupReason::Start, now);
    } catch (const DatabaseError& error) {
        return error.sentence();
    }
    return {};
}

void pruneAfterStart(const QSqlDatabase& db, const ClubSettings& settings)
{
    if (!ClubDatabase::isReadOnly(db))
        pruneBackups(clubBackupFolder(db), retentionRuleOf(settings), QDate::currentDate());
}

} // namespace durvek
