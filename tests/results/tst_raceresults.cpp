// The race data codecs: flight texts and pigeon texts into their fixed
// fields, the arrival order, and the binary pigeon file.
#include "results/FlightEntry.h"
#include "results/PigeonFile.h"
#include "results/ResultOrder.h"
#include "results/ResultRecord.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace durvek;

namespace {

QString dataFile(const char* name) { return QStringLiteral(DURVEK_SOURCE_DIR "/tests/results/data/") + name; }

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A pigeon text as a clock sends it: code, band, sex, flight key, four
// binary values, arrival date and time, status, six characters nobody keeps.
QString pigeonText(const QString& date, const QString& time, QChar sex = u' ', QChar status = u'1',
                   const QString& elcode = QStringLiteral("0A1B2C3D"))
{
    return elcode + QStringLiteral("BE 07-1234567") + sex + QStringLiteral("NOYO0001")
        + QString::fromLatin1("\x00\x01\x00\x02\x00\x03\x00\x04", 8) + date + time + status
        + QStringLiteral("zzzzzz");
}

ResultRecord arrivedAt(const QString& date, const QString& time, const QString& elcode)
{
    return ResultRecord::fromPigeonText(pigeonText(date, time, u' ', u'1', elcode));
}

QStringList elcodes(const QList<ResultRecord>& results)
{
    QStringList out;
    for (const ResultRecord& r : results)
        out << r.elcode;
    return out;
}

// The record the golden file's first record was written from by hand.
ResultRecord goldenRecord()
{
    return ResultRecord::fromPigeonText(QStringLiteral("0A1B2C3DB\u00C9L07-1234567FNOYO0001ABCDEFGH150624112731" "1XXXXXX"));
}

} // namespace

class TestRaceResults : public QObject {
    Q_OBJECT

private slots:
    void flightTextIntoItsFields();
    void flightListItems();
    void pigeonTextIntoItsFields();
    void sexBecomesVForAnyMark();
    void shortPigeonTextIsPaddedWithSpaces();

    void arrivalOrder();
    void arrivalOrderOfEqualKeysIsTheClocks();
    void arrivalOrderLooksAtWholeKeys_data();
    void arrivalOrderLooksAtWholeKeys();

    void pigeonFileMatchesHandWrittenBytes();
    void pigeonFileReadsBack();
    void emptyResultIsFourBytesOfZero();
    void ansiCharactersSurviveTheFile();
    void loadingMissingEmptyAndDamagedFiles();
    void saveIntoMissingFolderFailsWithAMessage();
};

void TestRaceResults::flightTextIntoItsFields()
{
    //                 code code2 d1     d2     d3     ....d4     d5     d6     ....d7
    const QString s = QStringLiteral("NOYO0001150624073000123456abcd111111222222333333efgh4444");
    QCOMPARE(s.size(), 56);
    const FlightEntry f = FlightEntry::fromFlightText(s);
    QCOMPARE(f.flightCode, QStringLiteral("NOYO"));
    QCOMPARE(f.flightCode2, QStringLiteral("0001"));
    QCOMPARE(f.key(), QStringLiteral("NOYO0001"));
    const std::array<QString, 7> expected = {QStringLiteral("150624"), QStringLiteral("073000"),
                                             QStringLiteral("123456"), QStringLiteral("111111"),
                                             QStringLiteral("222222"), QStringLiteral("333333"),
                                             QStringLiteral("4444")};
    QCOMPARE(f.details, expected);

    // A short text is filled with spaces: fields past its end are spaces, not code 0.
    const FlightEntry shortOne = FlightEntry::fromFlightText(QStringLiteral("AB"));
    QCOMPARE(shortOne.flightCode, QStringLiteral("AB  "));
    QCOMPARE(shortOne.details[6], QStringLiteral("    "));

    // A blank entry (an unusable flight) holds code 0 throughout.
    QCOMPARE(FlightEntry().key(), QString(8, QChar(0)));
}

void TestRaceResults::flightListItems()
{
    const QString s = QStringLiteral("NOYO0001150624073000123456    000000");
    QCOMPARE(flightListItem(s, 12), QStringLiteral("NOYO000115062407300012"));
    QCOMPARE(flightListItem(s, 3), QStringLiteral("NOYO00011506240730003"));
    QCOMPARE(flightListItem(s, 0), QStringLiteral("NOYO00011506240730000"));
    QCOMPARE(flightListItem(QStringLiteral("TRN1"), 12), QStringLiteral("TRN1                12"));
}

void TestRaceResults::pigeonTextIntoItsFields()
{
    const ResultRecord r = ResultRecord::fromPigeonText(pigeonText("150624", "112731", u' ', u'!'));
    QCOMPARE(r.elcode, QStringLiteral("0A1B2C3D"));
    QCOMPARE(r.band, QStringLiteral("BE 07-1234567 "));
    QCOMPARE(r.flightCode, QStringLiteral("NOYO"));
    QCOMPARE(r.flightCode2, QStringLiteral("0001"));
    QCOMPARE(r.arrivalDate, QStringLiteral("150624"));
    QCOMPARE(r.arrivalTime, QStringLiteral("112731"));
    QCOMPARE(r.status, QStringLiteral("!"));
    QCOMPARE(r.sortKey, QStringLiteral("240615112731").leftJustified(42, u' '));
    // The binary values are not carried into the three number fields.
    QCOMPARE(r.num1, QStringLiteral("  "));
    QCOMPARE(r.num2, QStringLiteral("  "));
    QCOMPARE(r.num3, QString(2, QChar(0)));
    QCOMPARE(r.spare, QString(4, QChar(0)));
    QCOMPARE(r.spare30, QString(30, QChar(0)));
}

void TestRaceResults::sexBecomesVForAnyMark()
{
    QCOMPARE(ResultRecord::fromPigeonText(pigeonText("150624", "112731", u'F')).sex, QStringLiteral("V"));
    QCOMPARE(ResultRecord::fromPigeonText(pigeonText("150624", "112731", u'x')).sex, QStringLiteral("V"));
    QCOMPARE(ResultRecord::fromPigeonText(pigeonText("150624", "112731", QChar(0))).sex, QStringLiteral("V"));
    QCOMPARE(ResultRecord::fromPigeonText(pigeonText("150624", "112731", u' ')).sex, QStringLiteral(" "));
}

void TestRaceResults::shortPigeonTextIsPaddedWithSpaces()
{
    // A pigeon the clock holds without an arrival: everything after the band
    // is missing, so its key is spaces, which sorts after blank records and
    // before every arrival.
    const ResultRecord r = ResultRecord::fromPigeonText(QStringLiteral("00FF00FFBE 22-3012345"));
    QCOMPARE(r.sex, QStringLiteral(" "));
    QCOMPARE(r.status, QStringLiteral(" "));
    QCOMPARE(r.sortKey, QString(42, u' '));
    QCOMPARE(r.flightCode, QStringLiteral("    "));
}

void TestRaceResults::arrivalOrder()
{
    QList<ResultRecord> results;
    results << arrivedAt("010199", "080000", "AAAA9999")  // 1999
            << ResultRecord::fromPigeonText(QStringLiteral("NOARRIVL"))
            << arrivedAt("311207", "235959", "AAAA0007")  // 2007
            << ResultRecord()                              // blank, status 3 entry
            << arrivedAt("311207", "235958", "AAAA0006")
            << arrivedAt("010108", "000000", "AAAA0008")
            << ResultRecord();
    sortResults(results);
    QCOMPARE(elcodes(results),
             QStringList({QString(8, QChar(0)), QString(8, QChar(0)), QStringLiteral("NOARRIVL"),
                          QStringLiteral("AAAA0006"), QStringLiteral("AAAA0007"), QStringLiteral("AAAA0008"),
                          QStringLiteral("AAAA9999")}));
}

void TestRaceResults::arrivalOrderOfEqualKeysIsTheClocks()
{
    QList<ResultRecord> results;
    for (int i = 0; i < 40; ++i) {
        // Two arrival times, interleaved, each shared by twenty pigeons.
        const char* time = i % 2 ? "101010" : "101009";
        results << arrivedAt("150624", time, QStringLiteral("C%1").arg(i, 7, 10, QChar(u'0')));
    }
    sortResults(results);
    QStringList expected;
    for (int i = 0; i < 40; i += 2)
        expected << QStringLiteral("C%1").arg(i, 7, 10, QChar(u'0'));
    for (int i = 1; i < 40; i += 2)
        expected << QStringLiteral("C%1").arg(i, 7, 10, QChar(u'0'));
    QCOMPARE(elcodes(results), expected);
}

// Keys that agree on their date and time are still ordered by every
// character after it, a shorter key before a longer one it begins.
void TestRaceResults::arrivalOrderLooksAtWholeKeys_data()
{
    QTest::addColumn<QStringList>("keys");      // in the clock's order; elcode = place in it
    QTest::addColumn<QStringList>("expected");  // elcodes after sorting
    const QString time = QStringLiteral("240615101010");
    QTest::newRow("after the time") << QStringList{time + u'B', time + u'A', time + u'B'}
                                    << QStringList{"1", "0", "2"};
    QTest::newRow("shorter first") << QStringList{time + QChar(0), time, QStringLiteral("2406")}
                                   << QStringList{"2", "1", "0"};
    QTest::newRow("beyond one byte") << QStringList{QStringLiteral("24Ā"), QStringLiteral("24z")}
                                     << QStringList{"1", "0"};
}

void TestRaceResults::arrivalOrderLooksAtWholeKeys()
{
    QFETCH(QStringList, keys);
    QFETCH(QStringList, expected);
    QList<ResultRecord> results;
    for (int i = 0; i < keys.size(); ++i) {
        ResultRecord r;
        r.elcode = QString::number(i);
        r.sortKey = keys.at(i);
        results << r;
    }
    sortResults(results);
    QCOMPARE(elcodes(results), expected);
}

void TestRaceResults::pigeonFileMatchesHandWrittenBytes()
{
    const QByteArray golden = readAll(dataFile("two-records.pigeons"));
    QCOMPARE(golden.size(), 4 + 2 * 127);
    QCOMPARE(pigeonfile::encode({goldenRecord(), ResultRecord()}), golden);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("duiven.txt"));
    QVERIFY(SavePigeonFile(path, {goldenRecord(), ResultRecord()}));
    QCOMPARE(readAll(path), golden);
}

void TestRaceResults::pigeonFileReadsBack()
{
    const PigeonFileContents got = LoadPigeonFile(dataFile("two-records.pigeons"));
    QCOMPARE(got.kind, PigeonFileContents::Loaded);
    QCOMPARE(got.records.size(), 2);
    QVERIFY(got.records[0] == goldenRecord());
    QVERIFY(got.records[1] == ResultRecord());
    QCOMPARE(got.records[0].band, QStringLiteral("B\u00C9L07-1234567 "));
}

void TestRaceResults::emptyResultIsFourBytesOfZero()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("duiven.txt"));
    QVERIFY(SavePigeonFile(path, {}));
    QCOMPARE(readAll(path), QByteArray(4, '\0'));
    const PigeonFileContents got = LoadPigeonFile(path);
    QCOMPARE(got.kind, PigeonFileContents::Loaded);
    QVERIFY(got.records.isEmpty());
}

void TestRaceResults::ansiCharactersSurviveTheFile()
{
    // Every byte a clock may send, the undefined Windows-1252 ones included,
    // comes back as the same byte.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    for (int start = 0; start < 256; start += 30) {
        QByteArray record(127, '\0');
        record.replace(55, 30, all.mid(start, 30).leftJustified(30, '\0'));
        QCOMPARE(pigeonfile::encodeRecord(pigeonfile::decodeRecord(record.constData())), record);
    }
    QByteArray euro(127, '\0');
    euro[0] = char(0x80);
    QCOMPARE(pigeonfile::decodeRecord(euro.constData()).elcode.at(0), QChar(0x20AC));
}

void TestRaceResults::loadingMissingEmptyAndDamagedFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("duiven.txt"));

    QCOMPARE(LoadPigeonFile(path).kind, PigeonFileContents::Empty);
    QVERIFY(QFile::exists(path)); // created empty
    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(LoadPigeonFile(path).kind, PigeonFileContents::Empty);

    writeAll(path, QByteArray("\x01\x00", 2));
    PigeonFileContents got = LoadPigeonFile(path);
    QCOMPARE(got.kind, PigeonFileContents::Damaged);
    QVERIFY(!got.error.isEmpty());

    writeAll(path, QByteArray("\xFF\xFF\xFF\xFF", 4) + QByteArray(127, 'x'));
    got = LoadPigeonFile(path);
    QCOMPARE(got.kind, PigeonFileContents::Damaged);
    QVERIFY(got.records.isEmpty());
}

void TestRaceResults::saveIntoMissingFolderFailsWithAMessage()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!SavePigeonFile(dir.filePath(QStringLiteral("gone/duiven.txt")), {goldenRecord()}, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestRaceResults)
#include "tst_raceresults.moc"
