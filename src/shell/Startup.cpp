#include "shell/Startup.h"
#include "backup/AutomaticBackup.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "database/SchemaUpgrade.h"
#include "database/ServerLayout.h"
#include "database/SettingsStore.h"
#include "shell/RememberedServer.h"
#include <QDir>

namespace durvek {

QString clubDatabasePath(const QString& folder)
{
    return QDir(folder).filePath(QString::fromLatin1(ClubDatabase::kFileName));
}

namespace {

// The message box is the user's only clue, so the file must be in its
// details even when the engine's own message does not say which file it was
// working on.
DatabaseError namingFile(const DatabaseError& error, const QString& path)
{
    if (error.details().contains(path))
        return error;
    const QString details = error.details().isEmpty() ? path : path + QStringLiteral(": ") + error.details();
    return DatabaseError(error.kind(), error.sentence(), details);
}

// A read-only file that is already up to date is used as it is; one that
// still needs the upgrade cannot be, and the user is told why.
DatabaseError upgradeRefused(const DatabaseError& error)
{
    if (error.kind() != DatabaseError::Kind::ReadOnly)
        return error;
    return DatabaseError(error.kind(),
                         QStringLiteral("The club database is read only, and this version of the program "
                                        "must first add to it what it needs: copy it to a folder where it "
                                        "may be written and start again"),
                         error.details());
}

DatabaseLocation& runLocation()
{
    static DatabaseLocation location;
    return location;
}

// Nothing stays open when start-up fails part way.
QSqlDatabase openDatabase(const DatabaseLocation& location, PasswordSource& passwords)
{
    try {
        const QSqlDatabase db = ClubDatabase::open(location, passwords);
        layOutServerDatabase(db);
        return db;
    } catch (const DatabaseError& error) {
        ClubDatabase::close();
        throw namingFile(error, location.displayName());
    }
}

void upgradeAndLoad(const QSqlDatabase& db, const QString& path)
{
    try {
        upgradeSchema(db);
    } catch (const DatabaseError& error) {
        throw namingFile(upgradeRefused(error), path);
    }
    TextCatalogue::setConnectionName(QString::fromLatin1(ClubDatabase::kConnectionName));
    TextCatalogue::invalidate();

    resetRunState(appState());
    LoadSettings();
}

} // namespace

QString runStartup(const QString& folder)
{
    NoPasswordSource noPassword;
    return runStartup(DatabaseLocation::file(clubDatabasePath(folder)), noPassword);
}

DatabaseLocation chooseClubDatabase(const QString& folder, const QString& databaseArgument)
{
    if (!databaseArgument.isEmpty())
        return DatabaseLocation::fromArgument(databaseArgument);
    const QString remembered = rememberedServer();
    if (!remembered.isEmpty())
        return DatabaseLocation::fromArgument(remembered);
    return DatabaseLocation::file(clubDatabasePath(folder));
}

std::optional<DatabaseLocation> clubFileInsteadOfServer(const QString& folder, const QString& databaseArgument)
{
    if (!databaseArgument.isEmpty() || rememberedServer().isEmpty())
        return std::nullopt;
    return DatabaseLocation::file(clubDatabasePath(folder));
}

QString runStartup(const DatabaseLocation& location, PasswordSource& passwords)
{
    AppState& state = appState();
    state.decimalSeparator = localeDecimalSeparator();
    state.databasePath = location.isServer() ? location.displayName() : location.filePath();
    runLocation() = location;

    const QSqlDatabase db = openDatabase(location, passwords);
    // A club on a server is backed up into a file too, row by row.
    const QString backupProblem = makeStartBackup(db);
    upgradeAndLoad(db, state.databasePath);
    pruneAfterStart(db, state.activeSettings);
    return backupProblem;
}

const DatabaseLocation& startedDatabase()
{
    return runLocation();
}

void reopenClubDatabase()
{
    NoPasswordSource noPassword;
    const DatabaseLocation& location = runLocation();
    upgradeAndLoad(openDatabase(location, noPassword), appState().databasePath);
}

} // namespace durvek
