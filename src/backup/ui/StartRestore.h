#pragma once
#include "backup/DatabaseRestore.h"
#include "database/DatabaseError.h"
#include <QString>

namespace durvek {

enum class StartRestore {
    NotOffered,   // not a damaged file, or no readable backup beside it
    Restored,     // a backup is in place and start ran on it
    Declined,     // the user closed the offer or the restore window
};

// When start-up failed because the club database at databasePath is damaged
// and its backups folder holds a backup that can be read: the failure (title,
// lead, the error's sentence and details) with "Restore..." beside Cancel.
// "Restore..." opens the restore window on the backups, newest first; the one
// chosen takes the damaged file's place (kept aside, renamed) and start runs
// on it.
StartRestore offerRestoreAtStart(const DatabaseError& error, const QString& databasePath, const QString& title,
                                 const QString& lead, const ReopenDatabase& start);

} // namespace durvek
