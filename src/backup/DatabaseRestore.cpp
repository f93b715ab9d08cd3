#include "backup/DatabaseRestore.h"
#include "backup/BackupMaker.h"
#include "backup/SqliteFile.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include <QDir>
#include <QFileInfo>

namespace durvek {

// The copy is made in the backups folder, beside the database on the same
// disk, so the rename that puts it in place is a single step; a copy cut
// short there is cleared at the next start. A backup chosen from another
// folder may be the first the club has, so the folder may still be missing.
void replaceDatabaseFile(const QString& source, const QString& databasePath)
{
    const SqliteFile from(source, SqliteFile::ReadOnly);
    const QString staging = backupFolderOf(databasePath);
    QDir().mkpath(staging);
    copyDatabase(from.handle(), databasePath, staging);
}

RestoreOutcome restoreDatabase(const QString& source, const RetentionRule& rule,
                               const ReopenDatabase& reopen, const QDateTime& now)
{
    RestoreOutcome outcome;
    outcome.verdict = checkRestorable(source);
    if (!outcome.verdict.restorable())
        return outcome;
    const QString databasePath = databaseFile(ClubDatabase::get());
    // A write-protected club database is protected against this too.
    if (ClubDatabase::isReadOnly(ClubDatabase::get())) {
        using Kind = DatabaseError::Kind;
        throw DatabaseError(Kind::ReadOnly, DatabaseError::plainSentence(Kind::ReadOnly), databasePath);
    }
    // Not pruned yet: the backup chosen may be one that pruning would remove.
    const QString folder = backupFolderOf(databasePath);
    outcome.safetyBackup
        = makeBackup(engineHandle(ClubDatabase::get()), databasePath, folder, BackupReason::Restore, now);
    ClubDatabase::close();
    try {
        replaceDatabaseFile(source, databasePath);
        reopen();
    } catch (...) {
        ClubDatabase::close();
        replaceDatabaseFile(outcome.safetyBackup, databasePath);
        reopen();
        throw;
    }
    pruneBackups(folder, rule, now.date());
    return outcome;
}

} // namespace durvek
