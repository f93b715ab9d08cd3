#include "backup/AutomaticBackup.h"
#include "backup/BackupMaker.h"
#include "backup/BackupName.h"
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
    return backupFolderOf(QDir(clubFilesFolder(db)).filePath(ClubDatabase::kFileName));
}

namespace {

// A club on a server is copied row by row, seconds for a large club, and
// every PC of the club starts on it: one start backup a day is enough there.
bool startBackupMadeToday(const QString& folder, const QDate& today)
{
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.db")}, QDir::Files);
    for (const QString& name : names) {
        const std::optional<BackupName> parsed = parseBackupName(name);
        if (parsed && parsed->reasonWord == QLatin1String("start") && parsed->made.date() == today)
            return true;
    }
    return false;
}

} // namespace

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
    if (engineOf(db) == SqlEngine::Postgres && startBackupMadeToday(folder, now.date()))
        return {};
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
