#pragma once
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// A club on a server is backed up into, and restored from, club database
// files like the ones the file's backups are, so that every backup can be
// listed, checked and restored the same way.

// Copies the club of the open connection club, row by row, into a new file
// at target made from the delivered club database and brought up to date.
// The file is written under a temporary name in stagingFolder (on the same
// disk as target) and renamed to target only when complete, so a copy cut
// short leaves target, and every other file, as it was. Throws DatabaseError.
void copyClubIntoFile(const QSqlDatabase& club, const QString& target, const QString& stagingFolder);

// Replaces every row of the open club by those of the club database file
// source (a backup, possibly of an older version: it is brought up to date
// in a copy in stagingFolder first), the fanciers' revisions raised above
// any a PC may hold from before (replaceEveryFancier), so that a store
// loaded before is refused rather than let through over the restored club.
// One transaction: when it fails, the club is as it was. Throws DatabaseError.
void copyFileIntoClub(const QString& source, const QSqlDatabase& club, const QString& stagingFolder);

} // namespace durvek
