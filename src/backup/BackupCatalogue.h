#pragma once
#include "backup/BackupName.h"
#include <QList>
#include <QString>

namespace durvek {

// One backup as the restore list shows it.
struct ListedBackup {
    QString path;
    BackupName name;
    // Read from the file itself; -1 when it cannot be read (damaged).
    int fanciers = -1;
    int pigeons = -1;
};

// The backups in folder, newest first, each counted from the file opened
// read only. Files that are no backup by name are left out.
QList<ListedBackup> listBackups(const QString& folder);

} // namespace durvek
