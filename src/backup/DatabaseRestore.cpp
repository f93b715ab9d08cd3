#include "backup/DatabaseRestore.h"
#include "backup/AutomaticBackup.h"
#include "backup/BackupMaker.h"
#include "backup/ClubFileCopy.h"
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

namespace {

// How a backup file takes the place of the open club: the file replaced
// for the SQLite file (its connection closed first), every row replaced for
// a club on a server.
using PutInPlace = std::function<void(const QString& source)>;

PutInPlace placingInto(const QSqlDatabase& club, const QString& folder)
{
    if (engineOf(club) == SqlEngine::Postgres)
        return [folder](const QString& source) { copyFileIntoClub(source, ClubDatabase::get(), folder); };
    // The file comes back exactly as backed up, the fanciers' revisions
    // included: the restore window is modal, so no window or job on this PC
    // holds a fancier across it, and a connection of another PC that kept
    // the replaced file open works on that file, out of reach of any
    // revision in the restored one.
    const QString databasePath = databaseFile(club);
    return [databasePath](const QString& source) {
        ClubDatabase::close();
        replaceDatabaseFile(source, databasePath);
    };
}

} // namespace

RestoreOutcome restoreDatabase(const QString& source, const RetentionRule& rule,
                               const ReopenDatabase& reopen, const QDateTime& now)
{
    RestoreOutcome outcome;
    outcome.verdict = checkRestorable(source);
    if (!outcome.verdict.restorable())
        return outcome;
    QString folder;
    PutInPlace putInPlace;
    {
        const QSqlDatabase club = ClubDatabase::get();
        // A write-protected club database is protected against this too.
        if (ClubDatabase::isReadOnly(club)) {
            using Kind = DatabaseError::Kind;
            throw DatabaseError(Kind::ReadOnly, DatabaseError::plainSentence(Kind::ReadOnly), databaseFile(club));
        }
        folder = clubBackupFolder(club);
        putInPlace = placingInto(club, folder);
        // Not pruned yet: the backup chosen may be one that pruning would remove.
        outcome.safetyBackup = backUpClub(club, folder, BackupReason::Restore, now);
    }
    try {
        putInPlace(source);
        reopen();
    } catch (...) {
        putInPlace(outcome.safetyBackup);
        reopen();
        throw;
    }
    pruneBackups(folder, rule, now.date());
    return outcome;
}

} // namespace durvek
