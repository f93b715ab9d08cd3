#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

namespace durvek {

// One table as the copy left it: the rows it holds in the target, which are
// as many as the source holds.
struct CopiedTable {
    QString table;
    qlonglong rows = 0;
};

struct ClubCopyOutcome {
    QList<CopiedTable> tables;   // in the order copied
    QStringList leftOut;         // tables of the source the target has not
};

// Table number (1-based) of tables, and its name, as each table begins.
using ClubCopyProgress = std::function<void(int table, int tables, const QString& name)>;

// Copies the club from one open, up-to-date club connection into another
// laid-out, up-to-date one, on either engine: every table both have, with
// the columns both have, rows in rowid order keeping their rowid (the key of
// the row for the backup table and the others without a key of their own).
// The target's rows of each table are removed first. The source is read as
// one snapshot; the target changes in one transaction, at the end of which
// the count of every table is compared with the source's: a mismatch rolls
// everything back. Throws DatabaseError (naming the table for a mismatch);
// the target is then as it was.
ClubCopyOutcome copyClub(const QSqlDatabase& from, const QSqlDatabase& to,
                         const ClubCopyProgress& progress = {});

} // namespace durvek
