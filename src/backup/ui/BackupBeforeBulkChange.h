#pragma once
#include "backup/BackupReason.h"

class QWidget;

namespace durvek {

// What a window calls before it starts a job that replaces data in bulk
// (Read Clock, receive from the clock, pigeon import, a fancier delete):
// a backup of the club database into the backups folder. When none can be
// made the user is asked whether to go on without one (No is the default).
// Returns true when the job may start. A read-only database cannot change,
// so it needs no backup.
bool backupBeforeBulkChange(QWidget* parent, BackupReason reason);

} // namespace durvek
