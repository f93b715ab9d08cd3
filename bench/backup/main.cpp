// Backup figures for a large club (2,000 fanciers, 100,000 pigeons), the
// median of five rounds each:
//  (a) one automatic backup (the engine's online backup into a new file,
//      renamed when complete), the goal being under a second;
//  (b) reading one backup's counts as the restore list does;
//  (c) the full integrity check a restore runs before replacing anything;
//  (d) the same club copied row by row into a new club database file, the
//      way a club on a server is backed up (one round: it is slow).
#include "backup/BackupCatalogue.h"
#include "backup/BackupMaker.h"
#include "backup/ClubFileCopy.h"
#include "backup/RestoreCheck.h"
#include "backup/SqliteFile.h"
#include "database/ClubDatabase.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace durvek;

namespace {

constexpr int kFanciers = 2000;
constexpr int kPigeons = 100000;
constexpr int kRounds = 5;

double medianMs(const std::function<void()>& work)
{
    QList<double> times;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(kRounds / 2);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("durvadm.db"));
    if (QProcess::execute(QStringLiteral(DURVEK_BIN_DIR "/makeclub"),
                          {database, QStringLiteral("--fanciers"), QString::number(kFanciers),
                           QStringLiteral("--pigeons"), QString::number(kPigeons)})
        != 0) {
        std::fprintf(stderr, "makeclub failed\n");
        return 1;
    }
    const QSqlDatabase db = ClubDatabase::open(database);
    const QString folder = backupFolderOf(database);
    QString last;
    const double backupMs = medianMs([&] {
        last = makeBackup(engineHandle(db), database, folder, BackupReason::Start);
    });
    const double listMs = medianMs([&] { listBackups(folder); }) / double(QDir(folder).count() - 2);
    const double checkMs = medianMs([&] { checkRestorable(last); });
    QElapsedTimer rowCopy;
    rowCopy.start();
    copyClubIntoFile(db, dir.filePath(QStringLiteral("rows.db")), dir.path());
    const double rowCopyMs = double(rowCopy.nsecsElapsed()) / 1e6;

    std::printf("club: %d fanciers, %d pigeons, %.1f MB\n", kFanciers, kPigeons,
                double(QFileInfo(database).size()) / 1e6);
    std::printf("backup: %.0f ms (goal: under 1000 ms)\n", backupMs);
    std::printf("restore list, per backup: %.0f ms\n", listMs);
    std::printf("restore check: %.0f ms\n", checkMs);
    std::printf("copied row by row into a new file: %.0f ms\n", rowCopyMs);
    return backupMs < 1000.0 ? 0 : 1;
}
