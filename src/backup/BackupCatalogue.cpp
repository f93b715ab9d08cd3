#include "backup/BackupCatalogue.h"
#include "backup/SqliteFile.h"
#include "common/StrictNumber.h"
#include <QDir>
#include <algorithm>
#include <climits>

namespace durvek {

namespace {

int countOf(const SqliteFile& file, const char* sql)
{
    const QStringList rows = file.column(sql);
    if (rows.isEmpty())
        return -1;
    const StrictNumber count = ReadStrictNumber(rows.first(), 0, INT_MAX);
    return count ? int(count.value) : -1;
}

void countRows(ListedBackup& backup)
{
    try {
        const SqliteFile file(backup.path, SqliteFile::ReadOnly);
        backup.fanciers = countOf(file, "SELECT count(*) FROM fanciers");
        backup.pigeons = countOf(file, "SELECT count(*) FROM pigeons");
    } catch (const DatabaseError&) {
        backup.fanciers = backup.pigeons = -1;
    }
}

} // namespace

QList<ListedBackup> listBackups(const QString& folder)
{
    const QDir dir(folder);
    QList<ListedBackup> backups;
    for (const QString& fileName : dir.entryList({QStringLiteral("*.db")}, QDir::Files)) {
        const std::optional<BackupName> name = parseBackupName(fileName);
        if (!name)
            continue;
        ListedBackup backup{dir.filePath(fileName), *name};
        countRows(backup);
        backups.append(backup);
    }
    std::sort(backups.begin(), backups.end(),
              [](const ListedBackup& a, const ListedBackup& b) { return a.name.isNewerThan(b.name); });
    return backups;
}

} // namespace durvek
