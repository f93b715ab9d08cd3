#pragma once
#include "database/DatabaseLocation.h"
#include <QString>
#include <optional>

namespace durvek {

// runStartup on folder, with its failure told to the user. When the club
// database is damaged and the backups folder beside it holds backups, the
// message offers the restore; once a backup is in place start-up goes on
// with it. Returns what runStartup returns, or nothing when the program must
// stop: the failure went to stderr and, unless quiet, into a message box.
std::optional<QString> startOrOfferRestore(const QString& folder, bool quiet);

// The same on the club database chosen for this run (a file, or a server
// database, whose failure to start is only told: its backups are restored
// from the menu, into a club that opened).
// The password of a server is asked in a window unless quiet.
//
// When a server was chosen and fileInstead is given (the server was the
// remembered one), its failure offers to try again, to start with the club
// file instead, or to quit. The file is for this start only: the server is
// mostly down for a while, and a club that quietly went on working on its
// file for good would find late that its PCs no longer share their lists.
// The Settings field, which still names the server, is where the user gives
// it up.
//
// copyProblem says why the first start could not put the club file in place
// (ClubDatabaseLocation::Found); it is told with a file that did not open.
std::optional<QString> startOrOfferRestore(const DatabaseLocation& location, bool quiet,
                                           const std::optional<DatabaseLocation>& fileInstead = std::nullopt,
                                           const QString& copyProblem = {});

} // namespace durvek
