#include "database/ClubDatabase.h"
#include "database/SqlDialect.h"
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

namespace durvek {

namespace {

const QString kModeKey = QStringLiteral("mode");
const QString kReadOnlyMode = QStringLiteral("ro");

// A write-protected file opens read only. Missing write bits count even for a
// user who could write anyway (an administrator): the protection is meant for
// everyone. The engine keeps its journal beside the file, so a folder that
// may not be written makes the file read only too.
bool isWriteProtected(const QString& path)
{
    const QFileInfo file(path);
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !file.isWritable() || !(file.permissions() & anyWrite)
        || !QFileInfo(file.absolutePath()).isWritable();
}

// A URI with a mode makes SQLite refuse to create the file, which a plain
// path would do silently; the club's database is delivered, never made here.
QString databaseUri(const QString& path, bool readOnly)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(kModeKey + u'=' + (readOnly ? kReadOnlyMode : QStringLiteral("rw")));
    return url.toString(QUrl::FullyEncoded);
}

// A negative cache size counts KiB; pages are only taken as they are used,
// so the cache never holds more than the file.
constexpr int kCacheKiB = -65536;

// The quick check reads every page of the file. With room for all of them in
// the cache, the start-up backup and the renumbering that follow it take them
// from memory instead of reading the whole file twice more.
void keepPagesRead(const QSqlDatabase& db, const QString& path)
{
    const QString sql = QStringLiteral("PRAGMA cache_size = %1").arg(kCacheKiB);
    QSqlQuery pragma(db);
    if (!pragma.exec(sql))
        throw DatabaseError::fromEngine(pragma.lastError(), path, sql);
}

void dropConnection()
{
    if (QSqlDatabase::contains(ClubDatabase::kConnectionName)) {
        QSqlDatabase::database(ClubDatabase::kConnectionName, false).close();
        QSqlDatabase::removeDatabase(ClubDatabase::kConnectionName);
    }
}

// Opening succeeds even on a file that is no database: SQLite reads lazily.
// The quick check reads every page, so a file that is no database or has a
// damaged page is found here, before start-up writes to it. It leaves out the
// index-to-table comparison of the full check, which would cost seconds on a
// large club.
void checkIsSoundDatabase(const QSqlDatabase& db, const QString& path)
{
    const QStringList problems = integrityProblems(db);
    if (!problems.isEmpty()) {
        using Kind = DatabaseError::Kind;
        throw DatabaseError(Kind::Corrupt, DatabaseError::plainSentence(Kind::Corrupt),
                            QDir::toNativeSeparators(path) + QStringLiteral(": ") + problems.join(u'\n'));
    }
}

// What libpq says when the server wants a password it was not given, or
// refused the one it was given.
bool wantsPassword(const QSqlError& error)
{
    const QString text = error.databaseText();
    return text.contains(QLatin1String("no password supplied"))
        || text.contains(QLatin1String("password authentication failed"));
}

constexpr int kPasswordTries = 3;

DatabaseError unreachable(const DatabaseLocation& location, const QSqlError& error)
{
    return DatabaseError(DatabaseError::Kind::Other,
                         QStringLiteral("The club database on the server cannot be opened: check the "
                                        "server's address, that the server is running, the name of the "
                                        "database, the user and the password"),
                         location.displayName() + QStringLiteral(": ") + error.text().trimmed());
}

void connectToServer(QSqlDatabase& db, const DatabaseLocation& location, PasswordSource& passwords)
{
    location.applyTo(db);
    QString password = location.serverAddress().password;
    for (int tries = 0;; ++tries) {
        db.setPassword(password);
        // The password stays with the connection, in memory only, so that it
        // can connect again by itself after the server was out of reach.
        if (db.open()) {
            configureSession(db);
            return;
        }
        const QSqlError error = db.lastError();
        if (!wantsPassword(error) || tries == kPasswordTries)
            throw unreachable(location, error);
        const std::optional<QString> given = passwords.password(location.displayName(), !password.isEmpty());
        if (!given)
            throw unreachable(location, error);
        password = *given;
    }
}

QSqlDatabase openServer(const DatabaseLocation& location, PasswordSource& passwords)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), ClubDatabase::kConnectionName);
        try {
            connectToServer(db, location, passwords);
        } catch (...) {
            db = QSqlDatabase();
            dropConnection();
            throw;
        }
    }
    return ClubDatabase::get();
}

} // namespace

QSqlDatabase ClubDatabase::open(const DatabaseLocation& location, PasswordSource& passwords)
{
    if (!location.isServer())
        return open(location.filePath());
    dropConnection();
    return openServer(location, passwords);
}

QSqlDatabase ClubDatabase::open(const QString& path)
{
    dropConnection();
    if (!QFileInfo(path).isFile())
        throw DatabaseError(DatabaseError::Kind::Other, QStringLiteral("The club database does not exist"),
                            QDir::toNativeSeparators(path) + QStringLiteral(": the database file does not exist"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnectionName);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        db.setDatabaseName(databaseUri(path, isWriteProtected(path)));
        try {
            if (!db.open())
                throw DatabaseError::fromEngine(db.lastError(), path);
            keepPagesRead(db, path);
            checkIsSoundDatabase(db, path);
        } catch (...) {
            db = QSqlDatabase();
            dropConnection();
            throw;
        }
    }
    return get();
}

bool ClubDatabase::isReadOnly(const QSqlDatabase& db)
{
    const QUrl url(db.databaseName());
    return url.scheme() == QLatin1String("file") && QUrlQuery(url).queryItemValue(kModeKey) == kReadOnlyMode;
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
