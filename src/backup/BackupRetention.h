#pragma once
#include <QDate>
#include <QStringList>

namespace durvek {

// How many automatic backups are kept: the newest `last`, and besides them
// the first backup of each of the `months` calendar months up to this one.
struct RetentionRule {
    static constexpr int kDefaultLast = 20;
    static constexpr int kDefaultMonths = 12;
    int last = kDefaultLast;
    int months = kDefaultMonths;
};

// The backups among fileNames (one folder's files) that the rule no longer
// keeps on today. Files that are no backup are never among them. The first
// of a month is kept rather than the last, so that the month's backup does
// not change while the month goes on.
QStringList backupsToRemove(const QStringList& fileNames, const RetentionRule& rule, const QDate& today);

// Removes from folder what backupsToRemove names; a file that cannot be
// removed stays for the next time.
void pruneBackups(const QString& folder, const RetentionRule& rule, const QDate& today);

} // namespace durvek
