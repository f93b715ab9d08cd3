#pragma once
#include "backup/BackupRetention.h"
#include "backup/RestoreCheck.h"
#include <QDateTime>
#include <QString>
#include <functional>

namespace durvek {

// Opens the club database again after its file was replaced, as start-up
// does (the upgrade included). Throws DatabaseError when it cannot.
using ReopenDatabase = std::function<void()>;

// How a restore went.
struct RestoreOutcome {
    RestoreVerdict verdict;   // not restorable: nothing was replaced
    QString safetyBackup;     // the backup of the state before the restore
};

// Puts a copy of the database file source, made page by page, in the place
// of databasePath (which must not be open). Throws DatabaseError as
// copyDatabase does; databasePath is then as it was.
void replaceDatabaseFile(const QString& source, const QString& databasePath);

// Replaces the open club database (ClubDatabase::get()) by the backup at source:
// 1. checks source (checkRestorable); a file that fails is refused and
//    nothing is written anywhere;
// 2. makes a backup of the present state (reason "restore"); when that
//    fails, or the database is read only, DatabaseError is thrown and
//    nothing is replaced;
// 3. the file: closes the club connection, copies source page by page into
//    a file beside the database and renames it over the database; a club on
//    a server: replaces every row by those of source, in one transaction
//    (copyFileIntoClub: the fanciers' revisions are the one thing not
//    brought back as they were);
// 4. reopens the database with reopen. When the copy or the reopening
//    fails, the present state is put back from the backup of step 2 and
//    reopened, and the failure is thrown.
RestoreOutcome restoreDatabase(const QString& source, const RetentionRule& rule,
                               const ReopenDatabase& reopen,
                               const QDateTime& now = QDateTime::currentDateTime());

} // namespace durvek
