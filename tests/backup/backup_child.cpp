// backup_child DATABASE FOLDER: starts a backup of DATABASE into FOLDER,
// prints "halfway" once half the pages are copied and then waits to be
// killed, so that a test can cut a backup short at a known point.
#include "backup/BackupMaker.h"
#include "backup/SqliteFile.h"
#include "database/ClubDatabase.h"
#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

using namespace durvek;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString database = QString::fromLocal8Bit(argv[1]);
    const QSqlDatabase db = ClubDatabase::open(database);
    const auto waitHalfway = [](int copied, int total) {
        if (copied * 2 < total)
            return;
        std::puts("halfway");
        std::fflush(stdout);
        for (;;)
            pause();
    };
    makeBackup(engineHandle(db), database, QString::fromLocal8Bit(argv[2]), BackupReason::Start,
               QDateTime::currentDateTime(), waitHalfway, 8);
    return 1; // never reached half-way: the database is too small for the test
}
