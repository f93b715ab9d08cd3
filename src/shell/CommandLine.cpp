#include "shell/CommandLine.h"
#include "clubresult/ClubResultExport.h"
#include "database/ClubDatabase.h"
#include "shell/ClubDatabaseLocation.h"
#include "shell/ProgramVersion.h"
#include "shell/DatabaseCopyCommand.h"
#include "shell/Startup.h"
#include <QCoreApplication>
#include <cstdio>

namespace durvek {

namespace {

const QString kHelp = QStringLiteral("--help");
const QString kVersion = QStringLiteral("--version");
const QString kClubResult = QStringLiteral("--club-result");
const QString kCopyDatabase = QStringLiteral("--copy-database");

QStringList argumentList(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// The value after option, empty when the option or its value is missing.
QString valueOf(const QStringList& arguments, const QString& option)
{
    const qsizetype at = arguments.indexOf(option);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
}

int fail(const QString& message)
{
    std::fprintf(stderr, "durvek-club: %s\n", qPrintable(message));
    return 1;
}

int writeClubResult(const QStringList& arguments)
{
    const ClubResultExportRequest request {valueOf(arguments, kClubResult),
                                           valueOf(arguments, QStringLiteral("--date")),
                                           valueOf(arguments, QStringLiteral("--csv"))};
    if (request.race.isEmpty() || request.date.isEmpty() || request.csvPath.isEmpty())
        return fail(QStringLiteral("--club-result needs RACE --date DD-MM-YY --csv FILE (see --help)"));
    const ClubDatabaseLocation::Found club = ClubDatabaseLocation::ofThisProgram().find();
    const DatabaseLocation location = chooseClubDatabase(club.folder, valueOf(arguments, QStringLiteral("--database")));
    try {
        // No one to ask for a password here: ~/.pgpass or the URI gives it.
        NoPasswordSource noPassword;
        runStartup(location, noPassword);
        const ClubResultExportOutcome outcome = exportClubResult(ClubDatabase::get(), request);
        ClubDatabase::close();
        return outcome.written ? 0 : fail(outcome.message);
    } catch (const DatabaseError& error) {
        if (!location.isServer() && !club.copyProblem.isEmpty())
            fail(club.copyProblem);
        return fail(QString::fromUtf8(error.what()));
    }
}

int copyDatabase(const QStringList& arguments)
{
    const qsizetype at = arguments.indexOf(kCopyDatabase);
    if (at + 2 >= arguments.size())
        return fail(QStringLiteral("--copy-database needs FROM TO (see --help)"));
    const DatabaseLocation from = DatabaseLocation::fromArgument(arguments.at(at + 1));
    const DatabaseLocation to = DatabaseLocation::fromArgument(arguments.at(at + 2));
    NoPasswordSource passwords;
    try {
        const QStringList lines = copyClubDatabase(from, to, passwords, [](int table, int tables, const QString& name) {
            std::fprintf(stderr, "table %d of %d: %s\n", table, tables, qPrintable(name));
        });
        for (const QString& line : lines)
            std::printf("%s\n", qPrintable(line));
        return 0;
    } catch (const DatabaseError& error) {
        return fail(QString::fromUtf8(error.what()));
    }
}

} // namespace

QString commandLineHelp()
{
    return QStringLiteral(
        "Usage: durvek-club [options]\n"
        "Without options the program opens its menu.\n\n"
        "  --club-result RACE --date DD-MM-YY --csv FILE\n"
        "                      write the club result of the race (number, abbreviation\n"
        "                      or name) on that race day to FILE as CSV, without a window\n"
        "  --database URI      use the club database on a PostgreSQL server, e.g.\n"
        "                      postgresql://user@host:5432/club (a local socket folder as\n"
        "                      ?host=/folder); the password comes from ~/.pgpass or is\n"
        "                      asked. A file path uses that club database file instead\n"
        "  --copy-database FROM TO\n"
        "                      copy the club, every table and row, from the club database\n"
        "                      FROM to TO (each a file or a postgresql:// address); TO is\n"
        "                      an empty server database or a new file, never a club's data\n"
        "  --line-log FILE     log every byte on the serial line to FILE\n"
        "  --exit-when-shown   print the start-up time once the menu is shown, then end\n"
        "  --version           show the program's version\n"
        "  --help              show this text\n");
}

std::optional<int> runCommandLine(int& argc, char** argv)
{
    const QStringList arguments = argumentList(argc, argv);
    if (arguments.contains(kHelp)) {
        std::fputs(qPrintable(commandLineHelp()), stdout);
        return 0;
    }
    if (arguments.contains(kVersion)) {
        std::printf("durvek-club %s\n", qPrintable(programVersion()));
        return 0;
    }
    if (!arguments.contains(kClubResult) && !arguments.contains(kCopyDatabase))
        return std::nullopt;
    QCoreApplication app(argc, argv);
    return arguments.contains(kCopyDatabase) ? copyDatabase(arguments) : writeClubResult(arguments);
}

} // namespace durvek
