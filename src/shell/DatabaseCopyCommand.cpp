#include "shell/DatabaseCopyCommand.h"
#include "backup/DeliveredClubFile.h"
#include "database/ClubDatabase.h"
#include "database/SchemaUpgrade.h"
#include "database/ServerLayout.h"
#include "database/SqlUtil.h"
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

namespace durvek {

namespace {

const QString kTargetConnection = QStringLiteral("copy-target");

// The club connection is the only one ClubDatabase opens, so the target is
// opened through it and carried over to a connection of its own.
QSqlDatabase openTarget(const DatabaseLocation& to, PasswordSource& passwords)
{
    ClubDatabase::open(to, passwords);
    QSqlDatabase target = QSqlDatabase::cloneDatabase(ClubDatabase::get(), kTargetConnection);
    ClubDatabase::close();
    if (!target.open())
        throw DatabaseError::fromEngine(target.lastError(), to.displayName());
    configureSession(target);
    return target;
}

void closeTarget()
{
    QSqlDatabase::database(kTargetConnection, false).close();
    QSqlDatabase::removeDatabase(kTargetConnection);
}

qlonglong count(const QSqlDatabase& db, const char* table)
{
    return queryValue(db, QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table))).toLongLong();
}

void refuseAClubsData(const QSqlDatabase& target, const DatabaseLocation& to)
{
    const qlonglong fanciers = count(target, "fanciers");
    const qlonglong pigeons = count(target, "pigeons");
    if (fanciers == 0 && pigeons == 0)
        return;
    throw DatabaseError(DatabaseError::Kind::Other,
                        QStringLiteral("%1 holds a club's data already (%2 fanciers, %3 pigeons): nothing was "
                                       "copied. Give an empty server database or a file that is not there yet")
                            .arg(to.displayName())
                            .arg(fanciers)
                            .arg(pigeons),
                        to.displayName());
}

QStringList report(const ClubCopyOutcome& outcome, const DatabaseLocation& from, const DatabaseLocation& to,
                   qint64 milliseconds)
{
    QStringList lines;
    qlonglong rows = 0;
    for (const CopiedTable& table : outcome.tables) {
        lines.append(QStringLiteral("%1 %2 rows").arg(table.table, -20).arg(table.rows, 10));
        rows += table.rows;
    }
    for (const QString& table : outcome.leftOut)
        lines.append(QStringLiteral("%1 left out: %2 has no such table").arg(table, -20).arg(to.displayName()));
    lines.append(QStringLiteral("Copied %1 tables with %2 rows from %3 to %4 in %5 s.")
                     .arg(outcome.tables.size())
                     .arg(rows)
                     .arg(from.displayName(), to.displayName())
                     .arg(double(milliseconds) / 1000.0, 0, 'f', 1));
    return lines;
}

ClubCopyOutcome copyInto(const DatabaseLocation& from, const DatabaseLocation& to, PasswordSource& passwords,
                         const ClubCopyProgress& progress)
{
    const QSqlDatabase target = openTarget(to, passwords);
    layOutServerDatabase(target);
    refuseAClubsData(target, to);
    upgradeSchema(target);
    const QSqlDatabase source = ClubDatabase::open(from, passwords);
    requireTable(source, QStringLiteral("fanciers"));
    return copyClub(source, target, progress);
}

} // namespace

QStringList copyClubDatabase(const DatabaseLocation& from, const DatabaseLocation& to, PasswordSource& passwords,
                             const ClubCopyProgress& progress)
{
    QElapsedTimer timer;
    timer.start();
    const bool newFile = !to.isServer() && !QFileInfo::exists(to.filePath());
    if (newFile)
        writeDeliveredClubFile(to.filePath());
    try {
        const ClubCopyOutcome outcome = copyInto(from, to, passwords, progress);
        ClubDatabase::close();
        closeTarget();
        return report(outcome, from, to, timer.elapsed());
    } catch (...) {
        ClubDatabase::close();
        closeTarget();
        if (newFile)
            QFile::remove(to.filePath());
        throw;
    }
}

} // namespace durvek
