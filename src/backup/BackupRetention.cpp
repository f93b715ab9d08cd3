#include "backup/BackupRetention.h"
#include "backup/BackupName.h"
#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <algorithm>

namespace durvek {

namespace {

struct NamedBackup {
    QString fileName;
    BackupName name;
};

int monthNumber(const QDate& date)
{
    return date.year() * 12 + date.month() - 1;
}

} // namespace

QStringList backupsToRemove(const QStringList& fileNames, const RetentionRule& rule, const QDate& today)
{
    QList<NamedBackup> backups;
    for (const QString& fileName : fileNames) {
        if (const std::optional<BackupName> name = parseBackupName(fileName))
            backups.append({fileName, *name});
    }
    std::sort(backups.begin(), backups.end(),
              [](const NamedBackup& a, const NamedBackup& b) { return a.name.isNewerThan(b.name); });

    QSet<QString> kept;
    for (qsizetype i = 0; i < backups.size() && i < rule.last; ++i)
        kept.insert(backups.at(i).fileName);
    // Walking from the newest, the last one seen in a month is its first.
    QMap<int, QString> firstOfMonth;
    const int thisMonth = monthNumber(today);
    for (const NamedBackup& backup : backups) {
        const int month = monthNumber(backup.name.made.date());
        if (month > thisMonth - rule.months && month <= thisMonth)
            firstOfMonth[month] = backup.fileName;
    }
    for (const QString& fileName : firstOfMonth)
        kept.insert(fileName);

    QStringList removed;
    for (const NamedBackup& backup : backups) {
        if (!kept.contains(backup.fileName))
            removed.append(backup.fileName);
    }
    return removed;
}

void pruneBackups(const QString& folder, const RetentionRule& rule, const QDate& today)
{
    const QDir dir(folder);
    for (const QString& fileName : backupsToRemove(dir.entryList(QDir::Files), rule, today))
        QFile::remove(dir.filePath(fileName));
}

} // namespace durvek
