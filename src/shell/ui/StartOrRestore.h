#pragma once
#include "database/DatabaseLocation.h"
#include <QString>
#include <optional>

namespace durvek {

// runStartup on programDir, with its failure told to the user. When the club
// database is damaged and the backups folder beside it holds backups, the
// message offers the restore; once a backup is in place start-up goes on
// with it. Returns what runStartup returns, or nothing when the program must
// stop: the failure went to stderr and, unless quiet, into a message box.
std::optional<QString> startOrOfferRestore(const QString& programDir, bool quiet);

// The same on the club database chosen for this run (a file, or a server
// database, where there is no restore to offer: its failure is only told).
// The password of a server is asked in a window unless quiet.
std::optional<QString> startOrOfferRestore(const DatabaseLocation& location, bool quiet);

} // namespace durvek
