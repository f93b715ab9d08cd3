#include "shell/ui/StartOrRestore.h"
#include "backup/ui/StartRestore.h"
#include "common/AppState.h"
#include "common/ui/DatabaseErrorBox.h"
#include "shell/Startup.h"
#include "shell/ui/PasswordPrompt.h"
#include <QDir>
#include <cstdio>

namespace durvek {

std::optional<QString> startOrOfferRestore(const QString& programDir, bool quiet)
{
    return startOrOfferRestore(DatabaseLocation::file(clubDatabasePath(programDir)), quiet);
}

std::optional<QString> startOrOfferRestore(const DatabaseLocation& location, bool quiet)
{
    QString backupProblem;
    PasswordPrompt prompt;
    NoPasswordSource noPassword;
    PasswordSource& passwords = quiet ? static_cast<PasswordSource&>(noPassword) : prompt;
    try {
        backupProblem = runStartup(location, passwords);
        return backupProblem;
    } catch (const DatabaseError& error) {
        std::fprintf(stderr, "durvek-club: %s\n", error.what());
        if (quiet)
            return std::nullopt;
        const QString path = appState().databasePath;
        const QString title = QStringLiteral("DURVEK Club - Administrator");
        const QString lead = QStringLiteral("The club database %1 could not be opened.").arg(QDir::toNativeSeparators(path));
        const auto start = [&] { backupProblem = runStartup(location, passwords); };
        // Backups are of the file; a server database has none to offer yet.
        const StartRestore offered = location.isServer() ? StartRestore::NotOffered
                                                         : offerRestoreAtStart(error, path, title, lead, start);
        switch (offered) {
        case StartRestore::Restored:
            return backupProblem;
        case StartRestore::Declined:
            return std::nullopt;
        case StartRestore::NotOffered:
            break;
        }
        showDatabaseError(nullptr, title, error, lead, QMessageBox::Critical);
    }
    return std::nullopt;
}

} // namespace durvek
