#pragma once
#include "backup/BackupReason.h"
#include <QDateTime>
#include <QString>
#include <functional>

class QSqlDatabase;
struct sqlite3;

namespace durvek {

// Pages copied so far and pages in all, after each step of a copy.
using CopyProgress = std::function<void(int copied, int total)>;

// What a copy of a database that is still being written is called until it
// is complete: a file of that name is never a usable backup.
inline constexpr const char* kUnfinishedSuffix = ".partial";

// The folder "backups" beside the database file.
QString backupFolderOf(const QString& databasePath);

// Writes a consistent copy of the open database source to target through the
// engine's online backup: page by page into a file named after target with
// ".partial" added, in stagingFolder (on the same disk as target), renamed to
// target only when complete and on disk. A copy cut short (the program
// killed, the disk full) leaves target, and every other file, as it was.
// An existing target is replaced. Throws DatabaseError naming the file when
// the engine refuses; the unfinished file is then removed.
void copyDatabase(sqlite3* source, const QString& target, const QString& stagingFolder,
                  const CopyProgress& progress = {}, int pagesPerStep = 1024);

// Makes a backup of the open database source into folder (made when
// missing), named by the database's base name, when and why; returns its
// path. Throws DatabaseError as copyDatabase does.
QString makeBackup(sqlite3* source, const QString& databasePath, const QString& folder,
                   BackupReason reason, const QDateTime& now = QDateTime::currentDateTime(),
                   const CopyProgress& progress = {}, int pagesPerStep = 1024);

// Makes a backup of the open club connection db into folder, as makeBackup
// does: page by page for the file, row by row into a new club database file
// for a club on a server (named after the server's database). Returns its
// path; throws DatabaseError when none could be made.
QString backUpClub(const QSqlDatabase& db, const QString& folder, BackupReason reason,
                   const QDateTime& now = QDateTime::currentDateTime());

// Renames from to to, replacing to in one step. Throws DatabaseError naming
// the file when the system refuses.
void replaceFile(const QString& from, const QString& to);

// Removes what copies cut short left in folder (files ending in ".partial"
// and the engine's journal beside them).
void removeUnfinishedCopies(const QString& folder);

} // namespace durvek
