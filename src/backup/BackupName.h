#pragma once
#include <QDateTime>
#include <QString>
#include <optional>

namespace durvek {

// What a backup's file name says: "durvadm 2026-12-07 143012 start.db", the
// database's own name, the local date and time it was made and the reason
// word; a second backup in the same second with the same reason gets " 2",
// " 3"... before ".db" so that it never replaces the first.
struct BackupName {
    QString base;         // "durvadm"
    QDateTime made;       // local time, to the second
    QString reasonWord;   // "start", "readclock", ...
    int sequence = 1;

    QString fileName() const;
    // Newer first: by time, then by sequence.
    bool isNewerThan(const BackupName& other) const;
};

// The name of a file in a backups folder, or nothing when the file is not a
// backup of this program (other files there are never touched).
std::optional<BackupName> parseBackupName(const QString& fileName);

} // namespace durvek
