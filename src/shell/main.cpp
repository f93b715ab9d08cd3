#include "clocklink/LineLog.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "shell/ClubDatabaseLocation.h"
#include "shell/CommandLine.h"
#include "shell/ProcessClock.h"
#include "shell/ProgramVersion.h"
#include "shell/QtOwnTexts.h"
#include "shell/Startup.h"
#include "shell/ui/FirstPaintWatcher.h"
#include "shell/ui/LogoEmblem.h"
#include "shell/ui/MainMenuWindow.h"
#include "shell/ui/StartOrRestore.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>

using namespace durvek;

namespace {

// Options for measuring and diagnosing, and where the club database is when
// it is not the usual one; the program takes everything else from the
// settings table.
struct Options {
    bool exitWhenShown = false;   // print the start-up time once the menu is painted, then end
    QString lineLogPath;          // hex log of every byte on the serial line
    QString database;             // --database: a server URI or a file instead of the usual one
};

Options parseOptions(const QStringList& arguments)
{
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--exit-when-shown"))
            options.exitWhenShown = true;
        else if (argument == QLatin1String("--line-log") && i + 1 < arguments.size())
            options.lineLogPath = arguments.at(++i);
        else if (argument == QLatin1String("--database") && i + 1 < arguments.size())
            options.database = arguments.at(++i);
        else
            std::fprintf(stderr, "durvek-club: ignoring unknown argument %s\n", qPrintable(argument));
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    // A server that does not answer (a PC switched off, a cut network) would
    // otherwise hold the start, or an action that connects again after a
    // lost connection, for the system's own connect timeout of minutes. An
    // address or an environment that says otherwise wins.
    if (qEnvironmentVariableIsEmpty("PGCONNECT_TIMEOUT"))
        qputenv("PGCONNECT_TIMEOUT", "10");
    if (const std::optional<int> exitCode = runCommandLine(argc, argv))
        return *exitCode;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("durvek-club"));
    QApplication::setApplicationVersion(programVersion());
    // The desktop entry's name, so the desktop groups the windows under its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("durvek-club"));
    QApplication::setWindowIcon(LogoEmblem::icon());
    const Options options = parseOptions(QApplication::arguments());

    // Opened first, so a trace also covers a clock job started right away.
    if (!options.lineLogPath.isEmpty() && !lineLog().open(options.lineLogPath))
        std::fprintf(stderr, "durvek-club: cannot write the line log %s\n", qPrintable(options.lineLogPath));

    const ClubDatabaseLocation::Found club = ClubDatabaseLocation::ofThisProgram().find();
    const std::optional<QString> started
        = startOrOfferRestore(chooseClubDatabase(club.folder, options.database), options.exitWhenShown,
                              clubFileInsteadOfServer(club.folder, options.database), club.copyProblem);
    if (!started)
        return 1;
    const QString& backupProblem = *started;
    useQtOwnTexts(appState().activeSettings.language);

    MainMenuWindow menu;
    if (!backupProblem.isEmpty())
        menu.showStatus(GetText(253).arg(backupProblem));
    if (options.exitWhenShown) {
        new FirstPaintWatcher(&menu, [&sinceStart] {
            std::printf("menu shown after %lld ms\n",
                        static_cast<long long>(millisecondsSinceProcessStart(sinceStart)));
            std::fflush(stdout);
            QApplication::exit(0);
        });
    }
    menu.show();
    return QApplication::exec();
}
