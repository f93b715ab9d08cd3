#include "shell/ui/StartOrRestore.h"
#include "backup/ui/StartRestore.h"
#include "common/AppState.h"
#include "common/ui/DatabaseErrorBox.h"
#include "database/CatalogueUpgrade.h"
#include "shell/Startup.h"
#include "shell/ui/PasswordPrompt.h"
#include <QDir>
#include <QPushButton>
#include <cstdio>

namespace durvek {

namespace {

constexpr int kTryAgainText = 303;
constexpr int kStartWithFileText = 304;
constexpr int kQuitText = 305;

enum class AfterServerFailure { TryAgain, StartWithFile, Quit };

// The club's language is in the database that did not open: the box speaks
// the catalogue's base texts, as the password prompt does.
AfterServerFailure askAfterServerFailure(const QString& title, const QString& lead, const DatabaseError& error)
{
    QMessageBox box(QMessageBox::Critical, title, QString());
    describeDatabaseError(box, error, lead);
    QPushButton* again = box.addButton(CatalogueBaseText(kTryAgainText), QMessageBox::AcceptRole);
    QPushButton* file = box.addButton(CatalogueBaseText(kStartWithFileText), QMessageBox::AcceptRole);
    QPushButton* quit = box.addButton(CatalogueBaseText(kQuitText), QMessageBox::RejectRole);
    box.setDefaultButton(again);
    box.setEscapeButton(quit);
    box.exec();
    if (box.clickedButton() == again)
        return AfterServerFailure::TryAgain;
    return box.clickedButton() == file ? AfterServerFailure::StartWithFile : AfterServerFailure::Quit;
}

} // namespace

std::optional<QString> startOrOfferRestore(const QString& folder, bool quiet)
{
    return startOrOfferRestore(DatabaseLocation::file(clubDatabasePath(folder)), quiet);
}

std::optional<QString> startOrOfferRestore(const DatabaseLocation& location, bool quiet,
                                           const std::optional<DatabaseLocation>& fileInstead,
                                           const QString& copyProblem)
{
    QString backupProblem;
    PasswordPrompt prompt;
    NoPasswordSource noPassword;
    PasswordSource& passwords = quiet ? static_cast<PasswordSource&>(noPassword) : prompt;
    try {
        backupProblem = runStartup(location, passwords);
        return backupProblem;
    } catch (const DatabaseError& error) {
        // Only a file can be missing for want of the first start's copy.
        const QString whyMissing = location.isServer() ? QString() : copyProblem;
        std::fprintf(stderr, "durvek-club: %s\n", error.what());
        if (!whyMissing.isEmpty())
            std::fprintf(stderr, "durvek-club: %s\n", qPrintable(whyMissing));
        if (quiet)
            return std::nullopt;
        const QString path = appState().databasePath;
        const QString title = QStringLiteral("DURVEK Club - Administrator");
        const QString lead = QStringLiteral("The club database %1 could not be opened.").arg(QDir::toNativeSeparators(path));
        const DatabaseError told = whyMissing.isEmpty()
            ? error
            : DatabaseError(error.kind(), error.sentence() + QLatin1Char('\n') + whyMissing, error.details());
        if (location.isServer() && fileInstead) {
            switch (askAfterServerFailure(title, lead, error)) {
            case AfterServerFailure::TryAgain:
                return startOrOfferRestore(location, quiet, fileInstead);
            case AfterServerFailure::StartWithFile:
                return startOrOfferRestore(*fileInstead, quiet, std::nullopt, copyProblem);
            case AfterServerFailure::Quit:
                return std::nullopt;
            }
        }
        const auto start = [&] { backupProblem = runStartup(location, passwords); };
        // A server club's backups are restored from the menu, into the club
        // once it is open. What stops its start here is the server (not
        // reached, the login or its rights refused) or a database not laid
        // out as a club's, and a restore, which puts rows back into the
        // club's tables, mends none of these. The restore offered here moves
        // a damaged file aside, which a server does not have.
        const StartRestore offered = location.isServer() ? StartRestore::NotOffered
                                                         : offerRestoreAtStart(told, path, title, lead, start);
        switch (offered) {
        case StartRestore::Restored:
            return backupProblem;
        case StartRestore::Declined:
            return std::nullopt;
        case StartRestore::NotOffered:
            break;
        }
        showDatabaseError(nullptr, title, told, lead, QMessageBox::Critical);
    }
    return std::nullopt;
}

} // namespace durvek
