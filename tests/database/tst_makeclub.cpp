// The club generator: realistic, consistent clubs of a given size.
#include "support/DeliveredDatabase.h"
#include "database/ClubDatabase.h"
#include "database/PigeonNumbering.h"
#include "database/SqlUtil.h"
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace durvek;
using testing::rows;

namespace {

int makeclub(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(DURVEK_BIN_DIR "/makeclub"), arguments);
    if (!process.waitForFinished(120000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

class TestMakeClub : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QSqlDatabase openClub(const QStringList& extra, const QString& name = QStringLiteral("club.db"))
    {
        const QString path = m_dir.filePath(name);
        const int status = makeclub(QStringList{path, "--fanciers", "40", "--pigeons", "1500"} + extra);
        if (status != 0)
            throw std::runtime_error("makeclub failed");
        return ClubDatabase::open(path);
    }

    int count(const QSqlDatabase& db, const QString& sql) { return queryValue(db, sql).toInt(); }

private slots:
    void cleanup() { ClubDatabase::close(); }

    void numberedClubIsConsistent()
    {
        const QSqlDatabase db = openClub({});
        QCOMPARE(count(db, "SELECT count(*) FROM fanciers"), 40);
        QCOMPARE(count(db, "SELECT count(*) FROM pigeons"), 1500);
        // Numbered as start-up leaves a club: 1..n, so start-up writes nothing.
        QCOMPARE(count(db, "SELECT count(*) FROM pigeons WHERE nr BETWEEN 1 AND 1500"), 1500);
        QCOMPARE(count(db, "SELECT count(DISTINCT nr) FROM pigeons"), 1500);
        // Every pigeon belongs to a fancier; races and badges are there.
        QCOMPARE(count(db, "SELECT count(*) FROM pigeons WHERE fancier NOT IN (SELECT id FROM fanciers)"), 0);
        QCOMPARE(count(db, "SELECT count(*) FROM races"), 25);
        QCOMPARE(count(db, "SELECT count(*) FROM badges"), 5);
    }

    void valuesHaveTheirForms()
    {
        const QSqlDatabase db = openClub({});
        const QRegularExpression licence("^[0-9]{8}$");
        for (const QString& l : rows(db, "SELECT Licence FROM fanciers"))
            QVERIFY2(licence.match(l).hasMatch(), qPrintable(l));
        QCOMPARE(count(db, "SELECT count(DISTINCT Licence) FROM fanciers"), 40);
        QCOMPARE(count(db, "SELECT count(*) FROM fanciers WHERE length(KXT) <> 8 OR length(KYT) <> 8"), 0);

        const QRegularExpression chip("^[0-9A-F]{8}$");
        const QStringList chips = rows(db, "SELECT elcode FROM pigeons WHERE elcode <> ''");
        QVERIFY(chips.size() > 1000); // most pigeons are chipped, not all
        QVERIFY(chips.size() < 1500);
        for (const QString& c : chips)
            QVERIFY2(chip.match(c).hasMatch(), qPrintable(c));
        QCOMPARE(QSet<QString>(chips.begin(), chips.end()).size(), chips.size());

        QCOMPARE(count(db, "SELECT count(*) FROM pigeons WHERE country NOT IN ('BE', 'NL', 'FR')"), 0);
        QCOMPARE(count(db, "SELECT count(*) FROM pigeons WHERE length(band) <> 10 OR length(Year) <> 2"), 0);
        QCOMPARE(count(db, "SELECT count(*) FROM (SELECT DISTINCT country, Year, band FROM pigeons)"), 1500);
        QCOMPARE(count(db, "SELECT count(*) FROM pigeons WHERE sex NOT IN ('F', ' ')"), 0);
        QCOMPARE(count(db, "SELECT count(*) FROM pigeons WHERE length(color) > 4"), 0);
        // A fancier's pigeons carry the fancier's country.
        QCOMPARE(count(db, "SELECT count(DISTINCT fancier || country) FROM pigeons"),
                 count(db, "SELECT count(DISTINCT fancier) FROM pigeons"));
    }

    void unnumberedClubIsRenumbered()
    {
        const QSqlDatabase db = openClub({"--unnumbered"});
        const QStringList storedOrder = rows(db, "SELECT rowid FROM pigeons ORDER BY nr");
        // No pigeon has its right number yet.
        QCOMPARE(count(db, "SELECT count(*) FROM (SELECT nr, row_number() OVER (ORDER BY nr) rn "
                           "FROM pigeons) WHERE nr = rn"), 0);
        RenumberPigeons(db);
        QCOMPARE(rows(db, "SELECT rowid FROM pigeons ORDER BY nr"), storedOrder);
        QCOMPARE(count(db, "SELECT min(nr) FROM pigeons"), 1);
        QCOMPARE(count(db, "SELECT max(nr) FROM pigeons"), 1500);
    }

    void sameSeedSameClub()
    {
        const QString dump = "SELECT * FROM fanciers ORDER BY id";
        const QString pigeons = "SELECT * FROM pigeons ORDER BY rowid";
        QSqlDatabase db = openClub({"--seed", "7"}, "a.db");
        const QStringList fanciersA = rows(db, dump);
        const QStringList pigeonsA = rows(db, pigeons);
        db = openClub({"--seed", "7"}, "b.db");
        QCOMPARE(rows(db, dump), fanciersA);
        QCOMPARE(rows(db, pigeons), pigeonsA);
        db = openClub({"--seed", "8"}, "c.db");
        QVERIFY(rows(db, pigeons) != pigeonsA);
    }

    void badArgumentsWriteNothing()
    {
        const QString path = m_dir.filePath("bad.db");
        QCOMPARE(makeclub({path, "--fanciers", "x"}), 2);
        QCOMPARE(makeclub({path, "--fanciers", "0", "--pigeons", "5"}), 2);
        QCOMPARE(makeclub({"--fanciers", "3"}), 2);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestMakeClub)
#include "tst_makeclub.moc"
