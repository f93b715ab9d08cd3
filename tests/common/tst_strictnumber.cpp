#include "common/StrictNumber.h"
#include <QtTest>

using namespace durvek;

class TestStrictNumber : public QObject {
    Q_OBJECT
private slots:
    void readsDigitsWithinRange_data();
    void readsDigitsWithinRange();
};

void TestStrictNumber::readsDigitsWithinRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("maximum");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("value");
    QTest::newRow("plain") << "260" << qint64(9999) << true << qint64(260);
    QTest::newRow("fixed-width blanks") << "  42 " << qint64(9999) << true << qint64(42);
    QTest::newRow("leading zeros") << "0007" << qint64(9999) << true << qint64(7);
    QTest::newRow("exponent") << "9e9" << qint64(9999) << false << qint64(0);
    QTest::newRow("sign") << "-1" << qint64(9999) << false << qint64(0);
    QTest::newRow("plus sign") << "+1" << qint64(9999) << false << qint64(0);
    QTest::newRow("decimal point") << "1.5" << qint64(9999) << false << qint64(0);
    QTest::newRow("hex") << "0x10" << qint64(9999) << false << qint64(0);
    QTest::newRow("inner blank") << "1 2" << qint64(9999) << false << qint64(0);
    QTest::newRow("empty") << "" << qint64(9999) << false << qint64(0);
    QTest::newRow("blanks only") << "   " << qint64(9999) << false << qint64(0);
    QTest::newRow("above range") << "10000" << qint64(9999) << false << qint64(0);
    QTest::newRow("at range") << "9999" << qint64(9999) << true << qint64(9999);
    QTest::newRow("far past 64 bits") << "99999999999999999999999" << qint64(INT_MAX) << false << qint64(0);
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0663") << qint64(9999) << false << qint64(0);
}

void TestStrictNumber::readsDigitsWithinRange()
{
    QFETCH(QString, text);
    QFETCH(qint64, maximum);
    QFETCH(bool, ok);
    QFETCH(qint64, value);
    const StrictNumber read = ReadStrictNumber(text, 0, maximum);
    QCOMPARE(read.ok, ok);
    QCOMPARE(read.value, value);
    QCOMPARE(read.error.isEmpty(), ok);
    // The byte form must agree for every text that is Latin-1.
    if (text == text.toLatin1())
        QCOMPARE(ReadStrictNumber(QByteArrayView(text.toLatin1()), 0, maximum).ok, ok);
    QVERIFY(!ReadStrictNumber(u"5", 6, 10).ok);
}

QTEST_APPLESS_MAIN(TestStrictNumber)
#include "tst_strictnumber.moc"
