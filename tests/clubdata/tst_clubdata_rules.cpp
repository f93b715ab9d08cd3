// The pigeon grid's entry rules and the walk through the fanciers, without a
// database.
#include "clubdata/FancierBrowser.h"
#include "clubdata/PigeonEntryRules.h"
#include <QTest>

using namespace durvek;

class TestClubDataRules : public QObject {
    Q_OBJECT

private slots:
    void countryAndYearRepeatTheLastEntry();
    void bandIsCompletedFromTheLastBand_data();
    void bandIsCompletedFromTheLastBand();
    void firstEmptyBandOfTheRun();
    void sexMarksHensWithTheStoredLetter();
    void leadingBandNumber();
    void browserStopsAtBothEnds();
    void browserAfterDeletingTheLast();
    void browserOnAnEmptyList();
};

void TestClubDataRules::countryAndYearRepeatTheLastEntry()
{
    PigeonEntryMemory m;
    QCOMPARE(m.country(QStringLiteral("nl")), QStringLiteral("NL"));
    QCOMPARE(m.country(QStringLiteral("b")), QStringLiteral("NL"));
    QCOMPARE(m.country(QString()), QStringLiteral("NL"));
    QCOMPARE(m.country(QStringLiteral("bel")), QStringLiteral("BE"));
    QCOMPARE(m.lastCountry(), QStringLiteral("BE"));
    // the year keeps its own memory
    QCOMPARE(m.year(QStringLiteral("2")), QString());
    QCOMPARE(m.year(QStringLiteral("2021")), QStringLiteral("20"));
    QCOMPARE(m.year(QStringLiteral("7")), QStringLiteral("20"));
    QCOMPARE(m.lastCountry(), QStringLiteral("BE"));
}

void TestClubDataRules::bandIsCompletedFromTheLastBand_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty: the next band") << "0000000067" << "" << "0000000068";
    QTest::newRow("end digits only") << "0000000067" << "68" << "0000000068";
    QTest::newRow("carry into a new digit") << "1234500099" << "" << "1234500100";
    QTest::newRow("letters in front stay") << "ab00000009" << "" << "AB00000001";
    QTest::newRow("eleven characters cut") << "0000000067" << "12345678901" << "1234567890";
    QTest::newRow("ten upper-cased") << "0000000067" << "abcdefghij" << "ABCDEFGHIJ";
    QTest::newRow("short, prefix upper-cased") << "nl00000067" << "5" << "NL00000065";
}

void TestClubDataRules::bandIsCompletedFromTheLastBand()
{
    QFETCH(QString, last);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    PigeonEntryMemory m;
    m.band(last);
    QCOMPARE(m.band(typed), expected);
    QCOMPARE(m.lastBand(), expected);
}

void TestClubDataRules::firstEmptyBandOfTheRun()
{
    PigeonEntryMemory m;
    QCOMPARE(m.band(QString()), QStringLiteral("1"));
    QCOMPARE(m.band(QString()), QStringLiteral("2"));
    QCOMPARE(m.band(QStringLiteral("7")), QStringLiteral("7"));
    QCOMPARE(m.band(QString()), QStringLiteral("8"));
    // a full band after that starts a proper series
    QCOMPARE(m.band(QStringLiteral("0000001234")), QStringLiteral("0000001234"));
    QCOMPARE(m.band(QString()), QStringLiteral("0000001235"));
}

void TestClubDataRules::sexMarksHensWithTheStoredLetter()
{
    QCOMPARE(normalisedSex(QStringLiteral("f")), QStringLiteral("F"));
    QCOMPARE(normalisedSex(QStringLiteral("x")), QStringLiteral("F"));
    QCOMPARE(normalisedSex(QString()), QStringLiteral(" "));
    QCOMPARE(normalisedSex(QStringLiteral(" ")), QStringLiteral(" "));
}

void TestClubDataRules::leadingBandNumber()
{
    QCOMPARE(durvek::leadingBandNumber(QStringLiteral("  0042ab7")), 42);
    QCOMPARE(durvek::leadingBandNumber(QStringLiteral("ab12")), 0);
    QCOMPARE(durvek::leadingBandNumber(QStringLiteral("9999999999")), Q_INT64_C(9999999999));
}

void TestClubDataRules::browserStopsAtBothEnds()
{
    FancierBrowser b;
    b.setIds({7, 3, 9});
    QCOMPARE(b.currentId(), 7);
    QVERIFY(!b.previous());
    QCOMPARE(b.currentId(), 7);
    QVERIFY(b.next());
    QVERIFY(b.next());
    QCOMPARE(b.currentId(), 9);
    QVERIFY(!b.next());
    QCOMPARE(b.currentId(), 9);
    QVERIFY(b.moveTo(3));
    QVERIFY(!b.moveTo(4));
    QCOMPARE(b.currentId(), 3);
    b.removeCurrent();
    QCOMPARE(b.currentId(), 9);
}

void TestClubDataRules::browserAfterDeletingTheLast()
{
    FancierBrowser b;
    b.setIds({7, 3});
    b.moveTo(3);
    b.removeCurrent();
    QCOMPARE(b.currentId(), 0);
    QVERIFY(!b.isEmpty());
    QVERIFY(!b.next());
    QCOMPARE(b.currentId(), 7);
    b.removeCurrent();
    QVERIFY(b.isEmpty());
    QCOMPARE(b.currentId(), 0);
    QVERIFY(!b.previous());
}

void TestClubDataRules::browserOnAnEmptyList()
{
    FancierBrowser b;
    b.setIds({});
    QCOMPARE(b.currentId(), 0);
    QVERIFY(!b.next());
    QVERIFY(!b.previous());
    b.removeCurrent();
    QCOMPARE(b.currentId(), 0);
}

QTEST_GUILESS_MAIN(TestClubDataRules)
#include "tst_clubdata_rules.moc"
