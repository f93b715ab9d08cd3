// The pigeon import: records of the pigeon file into duiven and elcodes of a
// database as delivered.
#include "results/ImportBand.h"
#include "results/PigeonFile.h"
#include "results/PigeonImport.h"
#include "results/RaceData.h"
#include "support/DeliveredClub.h"
#include "support/DeliveredDatabase.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QTest>

using namespace durvek;
using durvek::testing::exec;
using durvek::testing::rows;
using durvek::testing::addRefusingTrigger;
using durvek::testing::dropTrigger;

namespace {

// A read-out record of band text band (country, year, "-", number).
ResultRecord record(const QString& elcode, const QString& band, QChar sex = u' ')
{
    const QString text = elcode.leftJustified(8, u' ') + band.leftJustified(13, u' ') + sex
        + QStringLiteral("NOYO0001        150624112731" "1");
    return ResultRecord::fromPigeonText(text);
}

} // namespace

class TestPigeonImport : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::DeliveredClub> club;
    QSqlDatabase db;
    RaceData data;
    QStringList warnings;

    QString filePath() const { return QDir(club->folder()).filePath(QStringLiteral("duiven.txt")); }

    void writeFile(const QList<ResultRecord>& records) { QVERIFY(SavePigeonFile(filePath(), records)); }

    PigeonImportReport import()
    {
        return LinkPigeons(db, filePath(), data, [this](const QString& message, const QString& title) {
            warnings << title + u'|' + message;
        });
    }

    QStringList pigeons() const
    {
        return rows(db, QStringLiteral("SELECT id, land, jaar, ringnummer, ringcompleet, sex, Kleur, Naam, opmerking "
                                       "FROM duiven ORDER BY rowid"));
    }
    QStringList codes() const { return rows(db, QStringLiteral("SELECT id, elcode, Id_duif FROM elcodes ORDER BY rowid")); }

private slots:
    void init()
    {
        club = std::make_unique<testing::DeliveredClub>(testing::DeliveredClub::AsDelivered);
        db = club->db();
        data = RaceData();
        warnings.clear();
    }
    void cleanup()
    {
        db = QSqlDatabase();
        club.reset();
    }

    void fileLivesBesideTheClubDatabase();
    void centuryOfTheBandYear_data();
    void centuryOfTheBandYear();
    void newPigeonAndCode();
    void knownPigeonAndKnownCode();
    void secondImportAddsNothing();
    void elcodeIdsFollowTheHighest();
    void fileWithCountZeroEmptiesMemory();
    void emptyFileImportsWhatIsInMemory();
    void bandWithAnApostrophe();
    void blankRecordsAreNoPigeons();
    void failureLeavesBothTablesAsTheyWere();
    void damagedFileImportsNothing_data();
    void damagedFileImportsNothing();
    void idsStopAtTheThirtyTwoBitLimit_data();
    void idsStopAtTheThirtyTwoBitLimit();
};

// An installed program may not write in its own folder; a club on a server
// has no folder of its own, and the build's program folder may be written.
void TestPigeonImport::fileLivesBesideTheClubDatabase()
{
    const bool onServer = engineOf(ClubDatabase::get()) == SqlEngine::Postgres;
    QCOMPARE(defaultPigeonFilePath(),
             onServer ? QDir(QCoreApplication::applicationDirPath()).filePath("duiven.txt") : filePath());
}

void TestPigeonImport::centuryOfTheBandYear_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("earlierRow"); // jaar of a row already stored for the band, 0 for none
    QTest::addColumn<int>("jaar");       // jaar of the row the code is linked to
    QTest::newRow("07") << "07" << 0 << 2007;
    QTest::newRow("19") << "19" << 0 << 2019;
    QTest::newRow("20") << "20" << 0 << 2020;
    QTest::newRow("23") << "23" << 0 << 2023;
    QTest::newRow("00") << "00" << 0 << 2000;
    QTest::newRow("99") << "99" << 0 << 1999;
    QTest::newRow("23 filed as 1923 before") << "23" << 1923 << 1923;
    QTest::newRow("07 beside an old 1907") << "07" << 1907 << 2007;
}

void TestPigeonImport::centuryOfTheBandYear()
{
    QFETCH(QString, year);
    QFETCH(int, earlierRow);
    QFETCH(int, jaar);
    QCOMPARE(bandYear(26, 2026), 2026);
    QCOMPARE(bandYear(27, 2026), 1927);
    if (earlierRow != 0)
        exec(db, QStringLiteral("INSERT INTO duiven (id, land, jaar, ringnummer) VALUES (40, 'BEL', %1, '1234567')")
                     .arg(earlierRow));
    writeFile({record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL") + year + QStringLiteral("-1234567"))});
    QVERIFY(import().error.isEmpty());
    QCOMPARE(rows(db, QStringLiteral("SELECT d.jaar FROM elcodes e JOIN duiven d ON d.id = e.Id_duif")),
             QStringList{QString::number(jaar)});
    QCOMPARE(pigeons().size(), earlierRow == 0 || earlierRow == jaar ? 1 : 2);
}

void TestPigeonImport::newPigeonAndCode()
{
    writeFile({record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL07-1234567"), u'F'),
               record(QStringLiteral("1F2E3D4C"), QStringLiteral("NL 24-  98765"))});
    const PigeonImportReport report = import();
    QVERIFY2(report.error.isEmpty(), qPrintable(report.error));
    QCOMPARE(report.records, 2);
    QCOMPARE(report.pigeonsAdded, 2);
    QCOMPARE(report.elcodesAdded, 2);
    QCOMPARE(pigeons(), QStringList({QStringLiteral("1|BEL|2007|1234567|BEL071234567|2|0| | "),
                                     QStringLiteral("2|NL |2024|  98765|NL 24  98765|1|0| | ")}));
    QCOMPARE(codes(), QStringList({QStringLiteral("1|0A1B2C3D|1"), QStringLiteral("2|1F2E3D4C|2")}));
    QVERIFY(warnings.isEmpty());
    QCOMPARE(data.pigeonCount(), 2);
}

void TestPigeonImport::knownPigeonAndKnownCode()
{
    exec(db, QStringLiteral("INSERT INTO duiven (id, land, jaar, ringnummer) VALUES (40, 'BEL', 2007, '1234567')"));
    exec(db, QStringLiteral("INSERT INTO elcodes (id, elcode, Id_duif) VALUES (5, '0A1B2C3D', 77)"));
    writeFile({record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL07-1234567"))});
    const PigeonImportReport report = import();
    QCOMPARE(report.pigeonsAdded, 0);
    QCOMPARE(report.elcodesRelinked, 1);
    QCOMPARE(rows(db, QStringLiteral("SELECT id FROM duiven")), QStringList{QStringLiteral("40")});
    QCOMPARE(codes(), QStringList{QStringLiteral("5|0A1B2C3D|40")});
}

void TestPigeonImport::secondImportAddsNothing()
{
    // Short codes are stored trimmed and must be found again as such.
    writeFile({record(QStringLiteral("12AB"), QStringLiteral("BEL07-1234567")),
               record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL08-7654321"), u'V'),
               record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL08-7654321"), u'V')});
    QVERIFY(import().error.isEmpty());
    const QStringList pigeonsAfterFirst = pigeons();
    const QStringList codesAfterFirst = codes();
    QCOMPARE(codesAfterFirst, QStringList({QStringLiteral("1|12AB|1"), QStringLiteral("2|0A1B2C3D|2")}));

    const PigeonImportReport second = import();
    QCOMPARE(second.pigeonsAdded, 0);
    QCOMPARE(second.elcodesAdded, 0);
    QCOMPARE(second.elcodesRelinked, 3);
    QCOMPARE(pigeons(), pigeonsAfterFirst);
    QCOMPARE(codes(), codesAfterFirst);
}

void TestPigeonImport::elcodeIdsFollowTheHighest()
{
    exec(db, QStringLiteral("INSERT INTO elcodes (id, elcode, Id_duif) VALUES (1, 'AAAAAAAA', 0), "
                            "(7, 'CCCCCCCC', 0), (2, 'BBBBBBBB', 0)"));
    writeFile({record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL07-1234567"))});
    QVERIFY(import().error.isEmpty());
    QCOMPARE(codes().last(), QStringLiteral("8|0A1B2C3D|1"));
}

void TestPigeonImport::fileWithCountZeroEmptiesMemory()
{
    data.results = {record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL07-1234567"))};
    writeFile({});
    const PigeonImportReport report = import();
    QVERIFY(!report.ran);
    QCOMPARE(data.pigeonCount(), 0);
    QVERIFY(pigeons().isEmpty());
    QVERIFY(codes().isEmpty());
}

void TestPigeonImport::emptyFileImportsWhatIsInMemory()
{
    data.results = {record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL07-1234567"))};
    QFile empty(filePath());
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(import().ran);
    QCOMPARE(codes(), QStringList{QStringLiteral("1|0A1B2C3D|1")});
    QCOMPARE(data.pigeonCount(), 1);

    // No file at all: created empty, and nothing in memory: nothing to do.
    QFile::remove(filePath());
    data.results.clear();
    QVERIFY(!import().ran);
    QVERIFY(QFile::exists(filePath()));
}

void TestPigeonImport::bandWithAnApostrophe()
{
    writeFile({record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL07-12'4567"))});
    const PigeonImportReport report = import();
    QVERIFY2(report.error.isEmpty(), qPrintable(report.error));
    QCOMPARE(rows(db, QStringLiteral("SELECT ringnummer FROM duiven")), QStringList{QStringLiteral("12'4567")});
    QVERIFY(import().error.isEmpty());
    QCOMPARE(pigeons().size(), 1);
}

void TestPigeonImport::blankRecordsAreNoPigeons()
{
    writeFile({ResultRecord(), record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL07-1234567"))});
    const PigeonImportReport report = import();
    QCOMPARE(report.records, 2);
    QCOMPARE(report.skippedBlank, 1);
    QCOMPARE(pigeons().size(), 1);
    QCOMPARE(codes(), QStringList{QStringLiteral("1|0A1B2C3D|1")});
}

void TestPigeonImport::failureLeavesBothTablesAsTheyWere()
{
    // A trigger makes the engine refuse the third new pigeon, after two
    // pigeons and two codes were written in this import.
    addRefusingTrigger(db, QStringLiteral("refuse_third"), QStringLiteral("BEFORE"), QStringLiteral("INSERT"),
                       QStringLiteral("duiven"), QStringLiteral("NEW.ringnummer = '3333333'"),
                       QStringLiteral("band refused"));
    writeFile({record(QStringLiteral("11111111"), QStringLiteral("BEL07-1111111")),
               record(QStringLiteral("22222222"), QStringLiteral("BEL07-2222222")),
               record(QStringLiteral("33333333"), QStringLiteral("BEL07-3333333"))});
    const PigeonImportReport report = import();
    QVERIFY(report.error.contains(QStringLiteral("band refused")));
    QCOMPARE(warnings.size(), 1);
    QVERIFY(warnings[0].startsWith(QStringLiteral("Linking|Fout : ")));
    QVERIFY(pigeons().isEmpty());
    QVERIFY(codes().isEmpty());

    exec(db, QStringLiteral("DROP TABLE elcodes"));
    dropTrigger(db, QStringLiteral("refuse_third"), QStringLiteral("duiven"));
    QVERIFY(!import().error.isEmpty());
    QVERIFY(pigeons().isEmpty());
}

void TestPigeonImport::damagedFileImportsNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("firstBad");
    const QByteArray good = pigeonfile::encode({record(QStringLiteral("11111111"), QStringLiteral("BEL07-1111111")),
                                                record(QStringLiteral("22222222"), QStringLiteral("BEL07-2222222")),
                                                record(QStringLiteral("33333333"), QStringLiteral("BEL07-3333333"))});
    const auto withRecord2 = [&](int offset, const QByteArray& replacement) {
        return QByteArray(good).replace(4 + 127 + offset, replacement.size(), replacement);
    };
    QTest::newRow("no room for a count") << QByteArray("\x01\x00", 2) << QString();
    QTest::newRow("count above the records") << QByteArray(good).replace(0, 1, "\x04") << "record 4 of 4";
    QTest::newRow("record cut short") << good.chopped(10) << "record 3 of 3";
    QTest::newRow("bytes beyond the count") << QByteArray(good).replace(0, 1, "\x02") << "2 records";
    QTest::newRow("year of letters") << withRecord2(11, "2A") << "record 2";
    QTest::newRow("signed year") << withRecord2(11, "-7") << "record 2";
    QTest::newRow("blank year") << withRecord2(11, "  ") << "record 2";
    QTest::newRow("control byte in the code") << withRecord2(2, "\x01") << "record 2";
    QTest::newRow("undefined byte in the band") << withRecord2(9, "\x81") << "record 2";
}

void TestPigeonImport::damagedFileImportsNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, firstBad);
    data.results = {record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL07-1234567"))};
    QFile bad(filePath());
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(bytes);
    bad.close();
    const PigeonImportReport report = import();
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(report.error.contains(QDir::toNativeSeparators(filePath())), qPrintable(report.error));
    QVERIFY2(report.error.contains(firstBad), qPrintable(report.error));
    QCOMPARE(data.pigeonCount(), 1); // memory untouched
    QCOMPARE(data.results[0].elcode, QStringLiteral("0A1B2C3D"));
    QVERIFY(pigeons().isEmpty());
    QVERIFY(codes().isEmpty());
}

void TestPigeonImport::idsStopAtTheThirtyTwoBitLimit_data()
{
    QTest::addColumn<QString>("fullTable");
    QTest::newRow("duiven") << "duiven";
    QTest::newRow("elcodes") << "elcodes";
}

void TestPigeonImport::idsStopAtTheThirtyTwoBitLimit()
{
    QFETCH(QString, fullTable);
    exec(db, QStringLiteral("INSERT INTO %1 (id) VALUES (2147483647)").arg(fullTable));
    writeFile({record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL07-1234567"))});
    const PigeonImportReport report = import();
    QVERIFY2(report.error.contains(QStringLiteral("2147483647")), qPrintable(report.error));
    QCOMPARE(warnings.size(), 1);
    // Only the row put there: nothing added, no id wrapped round.
    QCOMPARE(rows(db, QStringLiteral("SELECT id FROM duiven UNION ALL SELECT id FROM elcodes")),
             QStringList{QStringLiteral("2147483647")});
}

QTEST_GUILESS_MAIN(TestPigeonImport)
#include "tst_pigeonimport.moc"
