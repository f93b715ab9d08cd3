#pragma once
#include "backup/BackupReason.h"
#include "backup/BackupRetention.h"
#include "common/ClubSettings.h"
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// The retention the settings ask for; fields left empty give the defaults.
RetentionRule retentionRuleOf(const ClubSettings& settings);

// The automatic backups' folder: "backups" beside the club database file,
// or, for a club on a server, in the program's folder (where the file would be)
// or, when that may not be written (an installed program), the user's data folder.
QString clubBackupFolder(const QSqlDatabase& db);

// A backup of the open club database into its backups folder,
// then the folder pruned by rule. Returns the backup's path. Throws
// DatabaseError naming the file when no backup could be made; the database
// and the earlier backups are then as they were.
QString makeAutomaticBackup(const QSqlDatabase& db, BackupReason reason, const RetentionRule& rule,
                            const QDateTime& now = QDateTime::currentDateTime());

// The start's backup, before the upgrade writes to the file. Unfinished
// copies a killed run left behind are removed first. Pruning waits for
// pruneAfterStart, once the settings are read. An empty text when it was
// made, else why not; a read-only database gets none and needs none, and a
// club on a server gets one a day.
QString makeStartBackup(const QSqlDatabase& db, const QDateTime& now = QDateTime::currentDateTime());
void pruneAfterStart(const QSqlDatabase& db, const ClubSettings& settings);

} // namespace durvek
