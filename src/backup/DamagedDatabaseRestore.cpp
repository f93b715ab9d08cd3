#include "backup/DamagedDatabaseRestore.h"
#include "database/ClubDatabase.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace durvek {

namespace {

// A hot journal left beside the damaged file would be played back into the
// restored one, so the engine's side files go aside with it.
const char* const kSideFiles[] = {"", "-journal", "-wal", "-shm"};

DatabaseError cannotMove(const QString& from, const QString& to)
{
    using Kind = DatabaseError::Kind;
    return DatabaseError(Kind::Other, QStringLiteral("The damaged club database could not be put aside"),
                         QDir::toNativeSeparators(from) + QStringLiteral(" -> ") + QDir::toNativeSeparators(to));
}

// Moves the database file and its side files; what was moved already goes
// back when one of them cannot, so the pair is never split.
void moveWithSideFiles(const QString& from, const QString& to)
{
    QStringList moved;
    for (const char* side : kSideFiles) {
        const QString source = from + QLatin1String(side);
        if (!QFileInfo::exists(source))
            continue;
        if (!QFile::rename(source, to + QLatin1String(side))) {
            for (const QString& done : moved)
                QFile::rename(to + done, from + done);
            throw cannotMove(source, to + QLatin1String(side));
        }
        moved << QLatin1String(side);
    }
}

QString asideName(const QString& databasePath, const QDateTime& now)
{
    const QString stem = databasePath + QStringLiteral(".damaged ") + now.toString(QStringLiteral("yyyy-MM-dd HHmmss"));
    QString name = stem;
    for (int sequence = 2; QFileInfo::exists(name); ++sequence)
        name = stem + u' ' + QString::number(sequence);
    return name;
}

} // namespace

bool isDamagedClubDatabase(const DatabaseError& error, const QString& path)
{
    using Kind = DatabaseError::Kind;
    if (!QFileInfo(path).isFile())
        return false;
    if (error.kind() == Kind::Corrupt)
        return true;
    return error.kind() == Kind::Other && !checkRestorable(path).restorable();
}

RestoreOutcome restoreDamagedDatabase(const QString& source, const QString& databasePath,
                                      const ReopenDatabase& reopen, const QDateTime& now)
{
    RestoreOutcome outcome;
    outcome.verdict = checkRestorable(source);
    if (!outcome.verdict.restorable())
        return outcome;
    ClubDatabase::close();
    outcome.safetyBackup = asideName(databasePath, now);
    moveWithSideFiles(databasePath, outcome.safetyBackup);
    try {
        replaceDatabaseFile(source, databasePath);
        reopen();
    } catch (...) {
        ClubDatabase::close();
        QFile::remove(databasePath);
        moveWithSideFiles(outcome.safetyBackup, databasePath);
        throw;
    }
    return outcome;
}

} // namespace durvek
