// The pigeon import: records of the pigeon file into duiven and elcodes of a
// database as delivered.
#include "results/ImportBand.h"
#include "results/PigeonFile.h"
#include "results/PigeonImport.h"
#include "results/RaceData.h"
#include "support/DeliveredClub.h"
#include "support/DeliveredDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QTest>

using namespace durvek;
using durvek::testing::exec;
using durvek::testing::rows;

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
    void damagedFileIsReported();
};

void TestPigeonImport::centuryOfTheBandYear_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("jaar");
    QTest::newRow("07") << "07" << 2007;
    QTest::newRow("19") << "19" << 2019;
    QTest::newRow("20") << "20" << 1920;
    QTest::newRow("00") << "00" << 2000;
    QTest::newRow("99") << "99" << 1999;
    QTest::newRow("blank") << "  " << 2000;
    QTest::newRow("space inside") << "2 " << 2002;
    QTest::newRow("letters") << "AB" << 2000;
}

void TestPigeonImport::centuryOfTheBandYear()
{
    QFETCH(QString, year);
    QFETCH(int, jaar);
    QCOMPARE(bandYear(year), jaar);
    writeFile({record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL") + year + QStringLiteral("-1234567"))});
    QVERIFY(import().error.isEmpty());
    QCOMPARE(rows(db, QStringLiteral("SELECT jaar FROM duiven")), QStringList{QString::number(jaar)});
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
                                     QStringLiteral("2|NL |1924|  98765|NL 24  98765|1|0| | ")}));
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
    exec(db, QStringLiteral("CREATE TRIGGER refuse_third BEFORE INSERT ON duiven WHEN NEW.ringnummer = '3333333' "
                            "BEGIN SELECT RAISE(ABORT, 'band refused'); END"));
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
    exec(db, QStringLiteral("DROP TRIGGER refuse_third"));
    QVERIFY(!import().error.isEmpty());
    QVERIFY(pigeons().isEmpty());
}

void TestPigeonImport::damagedFileIsReported()
{
    data.results = {record(QStringLiteral("0A1B2C3D"), QStringLiteral("BEL07-1234567"))};
    QFile bad(filePath());
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("\x01\x00", 2);
    bad.close();
    const PigeonImportReport report = import();
    QVERIFY(!report.error.isEmpty());
    QCOMPARE(warnings.size(), 1);
    QCOMPARE(data.pigeonCount(), 1); // memory untouched
    QVERIFY(pigeons().isEmpty());
}

QTEST_GUILESS_MAIN(TestPigeonImport)
#include "tst_pigeonimport.moc"
