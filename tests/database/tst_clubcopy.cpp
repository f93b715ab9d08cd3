// Moving a club from one club database to another: every table and row, the
// rowid included, and nothing half-copied.
#include "support/ClubRows.h"
#include "support/DeliveredClub.h"
#include "support/DeliveredDatabase.h"
#include "database/ClubCopy.h"
#include "database/DatabaseError.h"
#include "database/SchemaUpgrade.h"
#include "database/SqlUtil.h"
#include <QtTest>

using namespace durvek;
using testing::exec;
using testing::rows;

namespace {

// A second club database beside the program's connection, as delivered and
// brought up to date.
QSqlDatabase openTargetClub(const QString& path, const QString& connection)
{
    testing::writeDeliveredDatabase(path);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    if (!db.open())
        throw std::runtime_error("cannot open the target club");
    upgradeSchema(db);
    return db;
}

void closeConnection(const QString& connection)
{
    QSqlDatabase::database(connection, false).close();
    QSqlDatabase::removeDatabase(connection);
}

} // namespace

class TestClubCopy : public QObject {
    Q_OBJECT

private slots:
    void movedThereAndBackIsIdenticalRowForRow()
    {
        testing::DeliveredClub club;
        testing::fillEveryClubTable(club.db());
        const QStringList original = testing::clubRows(club.db());
        {
            QSqlDatabase there = openTargetClub(club.folder() + QStringLiteral("/there.db"), QStringLiteral("there"));
            QSqlDatabase back = openTargetClub(club.folder() + QStringLiteral("/back.db"), QStringLiteral("back"));
            QStringList progress;
            const ClubCopyOutcome outcome = copyClub(club.db(), there, [&](int k, int n, const QString& table) {
                progress.append(QStringLiteral("%1/%2 %3").arg(k).arg(n).arg(table));
            });
            copyClub(there, back);
            QCOMPARE(testing::clubRows(back), original);

            QCOMPARE(progress.size(), outcome.tables.size());
            QVERIFY(progress.contains(QStringLiteral("%1/%1 settings").arg(progress.size())));
            QVERIFY(outcome.leftOut.isEmpty());
            const auto pigeons = std::find_if(outcome.tables.cbegin(), outcome.tables.cend(),
                                              [](const CopiedTable& t) { return t.table == QLatin1String("pigeons"); });
            QVERIFY(pigeons != outcome.tables.cend());
            QCOMPARE(pigeons->rows, 2);
            // New rows continue after the copied keys.
            exec(back, "INSERT INTO fanciers (Licence) VALUES ('10234569')");
            QCOMPARE(rows(back, "SELECT id FROM fanciers WHERE Licence = '10234569'"), QStringList{"18"});
        }
        closeConnection(QStringLiteral("there"));
        closeConnection(QStringLiteral("back"));
    }

    // A table whose copy does not come out with the source's rows (here a
    // trigger of the target adds one) undoes the whole copy and is named.
    void countMismatchRollsEverythingBack()
    {
        testing::DeliveredClub club;
        testing::fillEveryClubTable(club.db());
        {
            QSqlDatabase target = openTargetClub(club.folder() + QStringLiteral("/target.db"), QStringLiteral("target"));
            exec(target, "INSERT INTO fanciers (Licence, Name) VALUES ('99999999', 'Stays')");
            exec(target, "CREATE TRIGGER doubled AFTER INSERT ON racedays BEGIN "
                         "INSERT INTO racedays (race, racedate) VALUES (NEW.race + 100, NEW.racedate); END");
            const QStringList before = testing::clubRows(target);
            try {
                copyClub(club.db(), target);
                QFAIL("a copy with a table out of count was kept");
            } catch (const DatabaseError& error) {
                QVERIFY2(error.sentence().contains(QLatin1String("racedays")), error.what());
            }
            QCOMPARE(testing::clubRows(target), before);
        }
        closeConnection(QStringLiteral("target"));
    }
};

QTEST_GUILESS_MAIN(TestClubCopy)
#include "tst_clubcopy.moc"
