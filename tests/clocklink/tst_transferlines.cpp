// The lines of the club data transfer as the clock reads them by position.
#include "clocklink/TransferLines.h"
#include <QTest>

using namespace durvek;

class TestTransferLines : public QObject {
    Q_OBJECT

private slots:
    void checksumCountsEveryByteWithTheCarriageReturn();
    void headersKeepTheirWidths();
    void pigeonCountKeepsTheLastThreeDigits();
    void pigeonLine_data();
    void pigeonLine();
    void badgesFallBackToOnes();
    void receivedHeaderReadsTheLicenceAsANumber();
    void receivedCountAndPigeon();
};

void TestTransferLines::checksumCountsEveryByteWithTheCarriageReturn()
{
    QCOMPARE(transferLineChecksum("abc\r"), uint8_t('3'));
    QCOMPARE(checksummedLine("abc"), QByteArray("abc\r3"));
    // sums past 255 wrap, bytes above 127 count as unsigned
    QCOMPARE(transferLineChecksum("\xFF\xFF\r"), uint8_t((255 + 255 + 13) % 256));
    // characters go as their ANSI byte
    QCOMPARE(checksummedLine(QStringLiteral("\u00E9")), QByteArray("\xE9\r") + char((0xE9 + 13) % 256));
    QCOMPARE(plainLine("007"), QByteArray("007\r"));
}

void TestTransferLines::headersKeepTheirWidths()
{
    QCOMPARE(fancierHeaderText("1234567", "Jan"), QStringLiteral("123456700000Jan                 "));
    QCOMPARE(fancierHeaderText("12345678901234", "A name longer than twenty"),
             QStringLiteral("123456789012A name longer than t"));
    QCOMPARE(fancierHeaderText("", ""), QString(12, u'0') + QString(20, u' '));

    QCOMPARE(combineHeaderText("Club A"), QStringLiteral("000000000000Club A") + QString(14, u' '));
    QCOMPARE(combineHeaderText("A combine name of thirty characters").size(), 32);

    QCOMPARE(memberNamesText({"Ann", "Bob"}), QStringLiteral("Ann") + QString(17, u' ') + "Bob" + QString(17, u' '));
    QCOMPARE(memberNamesText({"Twenty-one characters"}), QStringLiteral("Twenty-one character"));
}

void TestTransferLines::pigeonCountKeepsTheLastThreeDigits()
{
    QCOMPARE(pigeonCountText(0), QStringLiteral("000"));
    QCOMPARE(pigeonCountText(7), QStringLiteral("007"));
    QCOMPARE(pigeonCountText(999), QStringLiteral("999"));
    QCOMPARE(pigeonCountText(1000), QStringLiteral("000"));
    QCOMPARE(pigeonCountText(1234), QStringLiteral("234"));
}

void TestTransferLines::pigeonLine_data()
{
    QTest::addColumn<QVariant>("country");
    QTest::addColumn<QVariant>("year");
    QTest::addColumn<QVariant>("band");
    QTest::addColumn<QVariant>("sex");
    QTest::addColumn<QVariant>("elcode");
    QTest::addColumn<int>("member");
    QTest::addColumn<QString>("line");

    const QVariant none;
    QTest::newRow("full") << QVariant("BE") << QVariant("07") << QVariant("0001234567") << QVariant(" ")
                          << QVariant("0A1B2C3D") << 0 << "BE0000071234567 0A1B2C3D";
    QTest::newRow("short band") << QVariant("NL") << QVariant("21") << QVariant("1234") << none
                                << QVariant("11223344") << 0 << "NL0000210001234 11223344";
    QTest::newRow("no year") << QVariant("NL") << none << QVariant("1234") << none << QVariant("11223344") << 0
                             << "NL0000000001234 11223344";
    QTest::newRow("no country") << none << QVariant("21") << QVariant("1234") << none << QVariant("11223344") << 0
                                << "XX0000210001234 11223344";
    QTest::newRow("no band") << QVariant("DE") << QVariant("21") << QVariant("  ") << none << QVariant("11223344")
                             << 0 << "DE0000210000000 11223344";
    QTest::newRow("sex 1 is blank") << QVariant("DE") << QVariant("21") << QVariant("5") << QVariant("1")
                                    << QVariant("11223344") << 2 << "DE2000210000005 11223344";
    QTest::newRow("any other sex is a hen") << QVariant("DE") << QVariant("21") << QVariant("5") << QVariant("2")
                                            << QVariant("11223344") << 3 << "DE3000210000005H11223344";
    // fields keep their places whatever the database holds
    QTest::newRow("one-letter country") << QVariant("B") << QVariant("21") << QVariant("5") << none
                                        << QVariant("11223344") << 1 << "B 1000210000005 11223344";
    QTest::newRow("long country") << QVariant("BEL") << QVariant("21") << QVariant("5") << none
                                  << QVariant("11223344") << 1 << "BE1000210000005 11223344";
    QTest::newRow("four-digit year") << QVariant("BE") << QVariant("2023") << QVariant("5") << none
                                     << QVariant("11223344") << 0 << "BE0000230000005 11223344";
    QTest::newRow("one-digit year") << QVariant("BE") << QVariant("7") << QVariant("5") << none
                                    << QVariant("11223344") << 0 << "BE0000070000005 11223344";
    QTest::newRow("no chip") << QVariant("BE") << QVariant("07") << QVariant("5") << none << none << 0
                             << "BE0000070000005         ";
}

void TestTransferLines::pigeonLine()
{
    QFETCH(QVariant, country);
    QFETCH(QVariant, year);
    QFETCH(QVariant, band);
    QFETCH(QVariant, sex);
    QFETCH(QVariant, elcode);
    QFETCH(int, member);
    QFETCH(QString, line);
    PigeonForClock p {country, year, band, sex, elcode, member};
    QCOMPARE(pigeonLineText(p, QStringLiteral("Hen")), line);
}

void TestTransferLines::badgesFallBackToOnes()
{
    QCOMPARE(badgeText(QVariant()), QStringLiteral("1111111111"));
    QCOMPARE(badgeText(QVariant("   ")), QStringLiteral("1111111111"));
    QCOMPARE(badgeText(QVariant("Gold")), QStringLiteral("Gold"));
    QCOMPARE(badgeText(QVariant("Longer than ten")), QStringLiteral("Longer tha"));
    QCOMPARE(badgeCountText(5), QStringLiteral("5"));
}

void TestTransferLines::receivedHeaderReadsTheLicenceAsANumber()
{
    const QByteArray answer = QByteArray("000010234567Sender              ").leftJustified(99, ' ') + '\r';
    ReceivedFancierHeader h = parseFancierHeader(answer);
    QCOMPARE(h.licence, QStringLiteral("10234567"));
    QCOMPARE(h.name, QStringLiteral("Sender"));

    h = parseFancierHeader(QByteArray("123456789012Twelve digits kept  ").leftJustified(99, ' ') + '\r');
    QCOMPARE(h.licence, QStringLiteral("123456789012"));
    QCOMPARE(h.name, QStringLiteral("Twelve digits kept"));

    QVERIFY(parseFancierHeader(QByteArray("123456789012Name").leftJustified(100, ' ')).error.isEmpty());
    QVERIFY(!parseFancierHeader(QByteArray("NOLICENCE   Name").leftJustified(100, ' ')).error.isEmpty());
    QCOMPARE(parseFancierHeader(QByteArray("000000000001M\xfcller").leftJustified(100, ' ')).name,
             QStringLiteral("M\u00fcller"));
}

void TestTransferLines::receivedCountAndPigeon()
{
    QCOMPARE(parsePigeonCount("002\r").value, 2);
    QCOMPARE(parsePigeonCount("120\r").value, 120);
    for (const char* garbled : {"   \r", "9e9\r", "+12\r", "0x1\r", "1.5\r"})
        QVERIFY2(!parsePigeonCount(garbled), garbled);

    QByteArray line = QByteArray("BE000007000123 F0A1B2C3D4E").leftJustified(107, ' ') + '\r';
    ReceivedPigeon p = parsePigeonLine(line);
    QCOMPARE(p.country, QStringLiteral("BE"));
    QCOMPARE(p.year, QStringLiteral("07"));
    QCOMPARE(p.band, QStringLiteral("000123"));
    QCOMPARE(p.sex, QStringLiteral("F"));
    QCOMPARE(p.elcode, QStringLiteral("0A1B2C3D"));

    p = parsePigeonLine(QByteArray(107, ' ') + '\r');
    QCOMPARE(p.country, QStringLiteral("XX"));
    QCOMPARE(p.year, QStringLiteral("00"));
    QCOMPARE(p.band, QStringLiteral("00000000000"));
    QCOMPARE(p.sex, QStringLiteral(" "));
    QCOMPARE(p.elcode, QString());
}

QTEST_GUILESS_MAIN(TestTransferLines)
#include "tst_transferlines.moc"
