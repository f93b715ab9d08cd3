#include "database/ClubDatabase.h"
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace durvek {

namespace {

[[noreturn]] void fail(const QString& path, const QString& engineMessage)
{
    throw DatabaseError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), engineMessage)
                            .toStdString());
}

// A URI with mode=rw makes SQLite refuse to create the file, which a plain
// path would do silently; the club's database is delivered, never made here.
QString readWriteUri(const QString& path)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(QStringLiteral("mode=rw"));
    return url.toString(QUrl::FullyEncoded);
}

void dropConnection()
{
    if (QSqlDatabase::contains(ClubDatabase::kConnectionName)) {
        QSqlDatabase::database(ClubDatabase::kConnectionName, false).close();
        QSqlDatabase::removeDatabase(ClubDatabase::kConnectionName);
    }
}

// Opening succeeds even on a file that is no database: SQLite reads lazily.
// Reading the schema forces it to look at the file.
void checkIsDatabase(const QSqlDatabase& db, const QString& path)
{
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !probe.next())
        fail(path, probe.lastError().text());
}

} // namespace

QSqlDatabase ClubDatabase::open(const QString& path)
{
    dropConnection();
    if (!QFileInfo(path).isFile())
        fail(path, QStringLiteral("the database file does not exist"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnectionName);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        db.setDatabaseName(readWriteUri(path));
        try {
            if (!db.open())
                fail(path, db.lastError().text());
            checkIsDatabase(db, path);
        } catch (...) {
            db = QSqlDatabase();
            dropConnection();
            throw;
        }
    }
    return get();
}

QSqlDatabase ClubDatabase::get()
{
    return QSqlDatabase::database(kConnectionName, false);
}

void ClubDatabase::close()
{
    dropConnection();
}

} // namespace durvek
