#pragma once
#include "backup/DatabaseRestore.h"
#include "database/DatabaseError.h"
#include <QDateTime>
#include <QString>

namespace durvek {

// Whether a start that failed with error on the club database at path
// failed because the file itself is damaged or unreadable, so that a backup
// in its place can mend it. A missing file is not (the program never makes
// a club database); nor is one that is locked, read only or on a full disk.
bool isDamagedClubDatabase(const DatabaseError& error, const QString& path);

// Puts the backup at source in the place of the damaged club database at
// databasePath, which is not open: checks source as any restore does (a file
// that fails is refused and nothing is touched), renames the damaged file,
// with the engine's journal, to "durvadm.db.damaged <date time>" beside it
// (never deleted), copies source into its place and starts on it with
// reopen. When the copy or the start fails, the damaged file is put back and
// the failure is thrown. safetyBackup names the damaged file kept aside.
RestoreOutcome restoreDamagedDatabase(const QString& source, const QString& databasePath,
                                      const ReopenDatabase& reopen,
                                      const QDateTime& now = QDateTime::currentDateTime());

} // namespace durvek
