#include "shell/Startup.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "database/SchemaUpgrade.h"
#include "database/SettingsStore.h"
#include <QDir>

namespace durvek {

QString clubDatabasePath(const QString& programDir)
{
    return QDir(programDir).filePath(QString::fromLatin1(ClubDatabase::kFileName));
}

namespace {

// The message box is the user's only clue, so the file must be in it even
// when the engine's own message does not say which file it was working on.
[[noreturn]] void rethrowNamingFile(const DatabaseError& error, const QString& path)
{
    const QString message = QString::fromUtf8(error.what());
    if (message.contains(path))
        throw error;
    throw DatabaseError((path + QStringLiteral(": ") + message).toStdString());
}

void openAndUpgrade(const QString& path)
{
    try {
        QSqlDatabase db = ClubDatabase::open(path);
        upgradeSchema(db);
    } catch (const DatabaseError& error) {
        rethrowNamingFile(error, path);
    }
}

} // namespace

void runStartup(const QString& programDir)
{
    AppState& state = appState();
    state.decimalSeparator = localeDecimalSeparator();
    state.databasePath = clubDatabasePath(programDir);

    openAndUpgrade(state.databasePath);
    TextCatalogue::setConnectionName(QString::fromLatin1(ClubDatabase::kConnectionName));
    TextCatalogue::invalidate();

    resetRunState(state);
    LoadSettings();
}

} // namespace durvek
