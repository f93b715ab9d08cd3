// Start-up figures for a large club (2,000 fanciers, 100,000 pigeons):
//  (a) the database work of a normal start (pigeons already numbered 1..n):
//      open, upgrade, renumbering, settings;
//  (b) renumbering when every number is wrong, against one UPDATE ... FROM
//      with row_number() over the same table, in the same run;
//  (c) the whole program, from process start to the menu painted;
//  (d) the quick check that opening runs to refuse a damaged file, alone.
//  (e) the whole program's first start on a club that must be renumbered,
//      beside (c) as its floor.
//  (a) and (b) again with the same clubs on a throwaway PostgreSQL server,
//      beside the file's figures (goal: the server within 2x of the file).
#include "ServerBench.h"
#include "common/AppState.h"
#include "database/ClubDatabase.h"
#include "database/PigeonNumbering.h"
#include "database/SchemaUpgrade.h"
#include "database/SettingsStore.h"
#include "database/SqlUtil.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace durvek;

namespace {

constexpr int kFanciers = 2000;
constexpr int kPigeons = 100000;
constexpr int kRounds = 5;

const QString kBinDir = QStringLiteral(DURVEK_BIN_DIR);

void makeClub(const QString& path, bool numbered)
{
    QStringList arguments{path, QStringLiteral("--fanciers"), QString::number(kFanciers),
                          QStringLiteral("--pigeons"), QString::number(kPigeons)};
    if (!numbered)
        arguments.append(QStringLiteral("--unnumbered"));
    if (QProcess::execute(kBinDir + QStringLiteral("/makeclub"), arguments) != 0)
        throw std::runtime_error("makeclub failed");
}

void copyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        throw std::runtime_error(("cannot copy " + from).toStdString());
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double milliseconds(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e6; }

// (a) Main's database steps on a club that is already up to date.
double normalStartDatabaseWork(const QString& file)
{
    QElapsedTimer timer;
    timer.start();
    ClubDatabase::open(file);
    upgradeSchema(ClubDatabase::get());
    LoadSettings();
    const double elapsed = milliseconds(timer);
    ClubDatabase::close();
    return elapsed;
}

double timeRenumbering(const QString& file)
{
    ClubDatabase::open(file);
    QElapsedTimer timer;
    timer.start();
    RenumberPigeons(ClubDatabase::get());
    const double elapsed = milliseconds(timer);
    if (queryValue(ClubDatabase::get(), QStringLiteral("SELECT max(nr) FROM pigeons")).toInt() != kPigeons)
        throw std::runtime_error("renumbering gave wrong numbers");
    ClubDatabase::close();
    return elapsed;
}

double timeReferenceStatement(const QString& file)
{
    QSqlDatabase db = ClubDatabase::open(file);
    QElapsedTimer timer;
    timer.start();
    inTransaction(db, [&] {
        runStatement(db, QStringLiteral(
            "UPDATE pigeons SET nr = r.rn FROM (SELECT rowid, row_number() OVER (ORDER BY nr) rn "
            "FROM pigeons) r WHERE pigeons.rowid = r.rowid"));
    });
    const double elapsed = milliseconds(timer);
    db = QSqlDatabase();
    ClubDatabase::close();
    return elapsed;
}

// (d) The quick check on its own, on a connection of its own, so that its
// share of (a) is known.
double timeQuickCheck(const QString& file)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("quick-check"));
    db.setDatabaseName(file);
    QElapsedTimer timer;
    double elapsed = -1;
    if (db.open()) {
        timer.start();
        if (queryValue(db, QStringLiteral("PRAGMA quick_check")).toString() != QLatin1String("ok"))
            throw std::runtime_error("the quick check found the club damaged");
        elapsed = milliseconds(timer);
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("quick-check"));
    return elapsed;
}

struct ProgramStart {
    double wallMs = -1;
    double menuShownMs = -1;
};

// The program reads the database next to its executable (a symbolic link is
// resolved to the real file), so it runs from a folder of its own holding a
// copy of the binary and of the club.
ProgramStart startProgram(const QString& folder, const QString& club)
{
    const QString program = folder + QStringLiteral("/durvek-club");
    if (!QFile::exists(program))
        copyFile(kBinDir + QStringLiteral("/durvek-club"), program);
    copyFile(club, folder + QStringLiteral("/durvadm.db"));

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(program, {QStringLiteral("--exit-when-shown")});
    ProgramStart result;
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        std::fprintf(stderr, "durvek-club did not end cleanly: %s\n",
                     process.readAllStandardError().constData());
        return result;
    }
    result.wallMs = milliseconds(timer);
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("menu shown after (\\d+) ms")).match(output);
    if (match.hasMatch())
        result.menuShownMs = match.captured(1).toDouble();
    return result;
}

// Median wall time of the program's start on club, -1 when it cannot run.
double medianProgramStart(const QString& folder, const QString& club, double* menuShownMs = nullptr)
{
    QList<double> wall;
    QList<double> shown;
    for (int round = 0; round < kRounds; ++round) {
        const ProgramStart start = startProgram(folder, club);
        if (start.wallMs < 0)
            return -1;
        wall.append(start.wallMs);
        if (start.menuShownMs >= 0)
            shown.append(start.menuShownMs);
    }
    if (menuShownMs)
        *menuShownMs = shown.isEmpty() ? -1 : median(shown);
    return median(wall);
}

void reportProgramStart(const QString& folder, const QString& numbered, const QString& wrong)
{
    if (!QFile::exists(kBinDir + QStringLiteral("/durvek-club"))) {
        std::printf("(c) whole program: not measured, durvek-club is not built\n");
        return;
    }
    double shown = -1;
    const double normal = medianProgramStart(folder, numbered, &shown);
    if (normal < 0) {
        std::printf("(c) whole program: not measured, the program did not start and exit\n");
        return;
    }
    std::printf("(c) process start to exit after the menu shown: median %.0f ms (target < 500 ms: %s)\n",
                normal, normal < 500 ? "met" : "MISSED");
    if (shown >= 0)
        std::printf("    the program's own figure, menu shown after: median %.0f ms\n", shown);
    const double renumbering = medianProgramStart(folder, wrong);
    std::printf("(e) first start that must renumber: median %.0f ms; floor, (c) with nothing to "
                "renumber: %.0f ms; ratio %.2f (target < 250 ms: %s)\n",
                renumbering, normal, renumbering / normal, renumbering < 250 ? "met" : "MISSED");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    try {
        const QString numbered = dir.filePath(QStringLiteral("numbered.db"));
        const QString wrong = dir.filePath(QStringLiteral("wrong.db"));
        std::printf("club: %d fanciers, %d pigeons\n", kFanciers, kPigeons);
        std::fflush(stdout);
        makeClub(numbered, true);
        makeClub(wrong, false);

        QList<double> normal;
        const QString work = dir.filePath(QStringLiteral("work.db"));
        copyFile(numbered, work);
        for (int round = 0; round < kRounds; ++round)
            normal.append(normalStartDatabaseWork(work));
        std::printf("(a) normal start, database work (open, upgrade, renumbering, settings): "
                    "median %.1f ms, first %.1f ms\n", median(normal), normal.first());

        QList<double> quickCheck;
        for (int round = 0; round < kRounds; ++round)
            quickCheck.append(timeQuickCheck(work));
        std::printf("(d) quick check of the club at opening: median %.1f ms (part of (a))\n", median(quickCheck));

        QList<double> renumber;
        QList<double> reference;
        for (int round = 0; round < kRounds; ++round) {
            copyFile(wrong, work);
            renumber.append(timeRenumbering(work));
            copyFile(wrong, work);
            reference.append(timeReferenceStatement(work));
        }
        const double ratio = median(renumber) / median(reference);
        std::printf("(b) full renumbering, every nr wrong: median %.1f ms; one UPDATE ... FROM "
                    "statement: median %.1f ms; ratio %.2f (target <= 1.5: %s)\n",
                    median(renumber), median(reference), ratio, ratio <= 1.5 ? "met" : "MISSED");

        const bench::ServerFigures server = bench::measureOnServer(numbered, wrong, kRounds);
        const auto sideBySide = [](const char* what, double file, double onServer) {
            std::printf("%s: file median %.1f ms, server median %.1f ms, ratio %.2f (goal <= 2: %s)\n", what,
                        file, onServer, onServer / file, onServer <= 2 * file ? "met" : "MISSED");
        };
        sideBySide("(a) normal start, database work", median(normal), median(server.normalStartMs));
        sideBySide("(b) full renumbering, every nr wrong", median(renumber), median(server.renumberMs));

        const QString folder = dir.filePath(QStringLiteral("program"));
        QDir().mkpath(folder);
        reportProgramStart(folder, numbered, wrong);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_startup: %s\n", e.what());
        return 1;
    }
    return 0;
}
