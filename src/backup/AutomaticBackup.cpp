#include "backup/AutomaticBackup.h"
#include "backup/BackupMaker.h"
#include "backup/SqliteFile.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"

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

QString makeAutomaticBackup(const QSqlDatabase& db, BackupReason reason, const RetentionRule& rule,
                            const QDateTime& now)
{
    const QString databasePath = databaseFile(db);
    const QString folder = backupFolderOf(databasePath);
    const QString path = makeBackup(engineHandle(db), databasePath, folder, reason, now);
    pruneBackups(folder, rule, now.date());
    return path;
}

QString makeStartBackup(const QSqlDatabase& db, const QDateTime& now)
{
    if (ClubDatabase::isReadOnly(db))
        return {};
    const QString databasePath = databaseFile(db);
    const QString folder = backupFolderOf(databasePath);
    removeUnfinishedCopies(folder);
    try {
        makeBackup(engineHandle(db), databasePath, folder, BackupReason::Start, now);
    } catch (const DatabaseError& error) {
        return error.sentence();
    }
    return {};
}

void pruneAfterStart(const QSqlDatabase& db, const ClubSettings& settings)
{
    if (!ClubDatabase::isReadOnly(db))
        pruneBackups(backupFolderOf(databaseFile(db)), retentionRuleOf(settings), QDate::currentDate());
}

} // namespace durvek
