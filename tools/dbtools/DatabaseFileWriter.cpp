#include "DatabaseFileWriter.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QTemporaryFile>
#include <atomic>
#include <filesystem>
#include <system_error>

namespace durvek {

namespace {

QString uniqueConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("dbfile-writer-%1").arg(++counter);
}

// An empty file in the target's folder, so the final rename stays on one file system.
QString reserveTemporaryPath(const QString& path)
{
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QLatin1String("/.") + target.fileName()
                        + QLatin1String(".XXXXXX"));
    temp.setAutoRemove(false);
    if (!temp.open())
        throw DatabaseFileError(QStringLiteral("%1: cannot create a temporary file: %2")
                                    .arg(path, temp.errorString()).toStdString());
    return temp.fileName();
}

void fillFile(const QString& file, const std::function<void(QSqlDatabase&)>& fill)
{
    const QString name = uniqueConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        try {
            if (!db.open())
                throw DatabaseFileError(QStringLiteral("%1: %2")
                                            .arg(file, db.lastError().text()).toStdString());
            fill(db);
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void removeTemporaryFiles(const QString& file)
{
    QFile::remove(file);
    QFile::remove(file + QLatin1String("-journal"));
}

// The file system's own spelling of a path, whatever the process locale.
std::filesystem::path nativePath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

void moveIntoPlace(const QString& temp, const QString& path, bool keepExisting)
{
    if (keepExisting) {
        // Never replaces a file that appeared while we were writing.
        if (!QFile::rename(temp, path))
            throw DatabaseFileError(QStringLiteral("%1: cannot move the new database into place")
                                        .arg(path).toStdString());
        return;
    }
    std::error_code error;
    // Replaces an existing file in one step: readers see the old or the new one.
    std::filesystem::rename(nativePath(temp), nativePath(path), error);
    if (error)
        throw DatabaseFileError(QStringLiteral("%1: cannot move the new database into place: %2")
                                    .arg(path, QString::fromStdString(error.message()))
                                    .toStdString());
}

} // namespace

WriteOutcome writeDatabaseFile(const QString& path,
                               const std::function<void(QSqlDatabase&)>& fill,
                               bool keepExisting)
{
    if (keepExisting && QFileInfo::exists(path))
        return WriteOutcome::LeftAlone;
    const QString temp = reserveTemporaryPath(path);
    try {
        fillFile(temp, fill);
        moveIntoPlace(temp, path, keepExisting);
    } catch (...) {
        removeTemporaryFiles(temp);
        throw;
    }
    return WriteOutcome::Written;
}

} // namespace durvek
