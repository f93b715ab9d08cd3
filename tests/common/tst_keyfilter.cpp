#include "common/AppState.h"
#include "common/InsertionFilter.h"
#include "common/KeyFilter.h"
#include <QtTest>

using namespace durvek;

namespace {

constexpr QChar kNoKey = QChar(0);
const QChar kAcute = QChar(0x00B4);

} // namespace

class TestKeyFilter : public QObject {
    Q_OBJECT
private slots:
    void filterKey_data();
    void filterKey();
    void runSeparatorIsUsed();
    void ansiUpperStaysInCodePage_data();
    void ansiUpperStaysInCodePage();
    void insertion_data();
    void insertion();
};

void TestKeyFilter::filterKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<int>("selection");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QChar>("expected"); // QChar(0): refused

    const QChar pt(u'.'), cm(u',');
    auto row = [&](const char* name, const QString& text, const QString& tag, QChar key, QChar expected,
                   int selection = 0, QChar separator = QChar(u'.')) {
        QTest::newRow(name) << text << tag << key << selection << separator << expected;
    };

    // No mask: only the apostrophe changes.
    row("empty tag, apostrophe", "", "", u'\'', kAcute);
    row("empty tag, a", "", "", u'a', u'a');
    row("empty tag, euro sign", "", "", QChar(0x20AC), QChar(0x20AC));
    row("empty tag, non-ANSI passes", "", "", QChar(0x0434), QChar(0x0434));
    row("no key stays refused", "", "", kNoKey, kNoKey);
    row("apostrophe into /K is refused", "", "/K ", u'\'', kNoKey);
    row("apostrophe into /NS becomes accent", "", "/NS ", u'\'', kAcute);

    // "/N " and a token without its space.
    row("/N refuses a", "", "/N ", u'a', kNoKey);
    row("/N refuses point", "", "/N ", u'.', kNoKey);
    row("/N refuses minus", "", "/N ", u'-', kNoKey);
    row("/N accepts 7", "", "/N ", u'7', u'7');
    row("/N refuses Arabic-Indic digit", "", "/N ", QChar(0x0663), kNoKey);
    row("/N without space filters nothing", "", "/N", u'a', u'a');
    row("/N without space still makes accent", "", "/N", u'\'', kAcute);

    // Upper-casing and case-blind sets.
    row("/> /K turns a into A", "", "/> /K ", u'a', u'A');
    row("/K alone keeps a", "", "/K ", u'a', u'a');
    row("/K refuses 1", "", "/K ", u'1', kNoKey);
    row("/K refuses e acute", "", "/K ", QChar(0x00E9), kNoKey);
    row("/> upper-cases e acute", "", "/> ", QChar(0x00E9), QChar(0x00C9));
    row("/> upper-cases s caron in code page", "", "/> ", QChar(0x0161), QChar(0x0160));
    row("/> upper-cases y diaeresis in code page", "", "/> ", QChar(0x00FF), QChar(0x0178));
    row("/> keeps sharp s", "", "/> ", QChar(0x00DF), QChar(0x00DF));
    row("/> keeps micro sign", "", "/> ", QChar(0x00B5), QChar(0x00B5));
    row("/> keeps non-ANSI letter", "", "/> ", QChar(0x0434), QChar(0x0434));
    row("/> keeps digit", "", "/> ", u'5', u'5');

    row("/EMAIL accepts a", "", "/EMAIL ", u'a', u'a');
    row("/EMAIL accepts at", "", "/EMAIL ", u'@', u'@');
    row("/EMAIL accepts underscore", "", "/EMAIL ", u'_', u'_');
    row("/EMAIL refuses plus", "", "/EMAIL ", u'+', kNoKey);
    row("/EMAIL refuses minus", "", "/EMAIL ", u'-', kNoKey);

    row("/BTW refuses a", "", "/BTW ", u'a', kNoKey);
    row("/BTW accepts A", "", "/BTW ", u'A', u'A');
    row("/> /BTW accepts a as A", "", "/> /BTW ", u'a', u'A');
    row("/BTW /> in other order", "", "/BTW /> ", u'b', u'B');

    row("/TEL accepts space", "", "/TEL ", u' ', u' ');
    row("/TEL accepts plus", "", "/TEL ", u'+', u'+');
    row("/TEL refuses minus", "", "/TEL ", u'-', kNoKey);
    row("/TIME accepts colon", "", "/TIME ", u':', u':');
    row("/TIME refuses point", "", "/TIME ", u'.', kNoKey);
    row("/KR accepts minus", "", "/KR ", u'-', u'-');
    row("/KR accepts lower case", "", "/KR ", u'z', u'z');
    row("/KK accepts minus", "", "/KK ", u'-', u'-');
    row("/KK refuses letter", "", "/KK ", u'A', kNoKey);
    row("/NP accepts space", "", "/NP ", u' ', u' ');
    row("/NP accepts lower case", "", "/NP ", u'q', u'q');
    row("/NP refuses point", "", "/NP ", u'.', kNoKey);
    row("/NM accepts minus", "", "/NM ", u'-', u'-');
    row("/D accepts slash", "", "/D ", u'/', u'/');
    row("/D refuses point", "", "/D ", u'.', kNoKey);
    row("/NC accepts parenthesis", "", "/NC ", u'(', u'(');
    row("/NC refuses space", "", "/NC ", u' ', kNoKey);
    row("/Q accepts question mark", "", "/Q ", u'?', u'?');
    row("/Q refuses letter", "", "/Q ", u'x', kNoKey);

    // Everything but the space, within the code page.
    row("/NS refuses space", "", "/NS ", u' ', kNoKey);
    row("/NS accepts tilde", "", "/NS ", u'~', u'~');
    row("/NS accepts e acute", "", "/NS ", QChar(0x00E9), QChar(0x00E9));
    row("/NS accepts euro sign", "", "/NS ", QChar(0x20AC), QChar(0x20AC));
    row("/NS refuses non-ANSI", "", "/NS ", QChar(0x0434), kNoKey);
    row("/C refuses space", "", "/C ", u' ', kNoKey);
    row("/C accepts X", "", "/C ", u'X', u'X');

    // Combined sets must all agree.
    row("/N /K refuses digit", "", "/N /K ", u'1', kNoKey);
    row("/N /K refuses letter", "", "/N /K ", u'a', kNoKey);

    // Decimal places and one separator.
    row("/S /DP2 12.3 accepts 4", "12.3", "/S /DP2 ", u'4', u'4');
    row("/S /DP2 12.34 refuses 5", "12.34", "/S /DP2 ", u'5', kNoKey);
    row("/S /DP2 12.34 refuses 1", "12.34", "/S /DP2 ", u'1', kNoKey);
    row("/S /DP2 12.34 all selected accepts 5", "12.34", "/S /DP2 ", u'5', u'5', 5);
    row("/S /DP2 12.34 part selected refuses 5", "12.34", "/S /DP2 ", u'5', kNoKey, 2);
    row("/S /DP2 12 accepts point", "12", "/S /DP2 ", u'.', u'.');
    row("/S /DP2 12.3 refuses second point", "12.3", "/S /DP2 ", u'.', kNoKey);
    row("/S /DP2 12.3 refuses comma", "12.3", "/S /DP2 ", u',', kNoKey);
    row("/S refuses letter", "", "/S ", u'a', kNoKey);
    row("/S 1.5 all selected accepts point", "1.5", "/S ", u'.', u'.', 3);
    row("/DP2 alone 12.34 refuses letter", "12.34", "/DP2 ", u'x', kNoKey);
    row("/DP2 alone 12.3 accepts letter", "12.3", "/DP2 ", u'x', u'x');
    row("/DP1 counts from first separator", "1.2.", "/DP2 ", u'3', kNoKey);
    row("/DP9 at nine places", "0.123456789", "/DP9 ", u'1', kNoKey);
    row("/DP9 at eight places", "0.12345678", "/DP9 ", u'1', u'1');
    row("/DP3 and /DP2 both apply", "1.23", "/DP3 /DP2 ", u'4', kNoKey);
    row("/DP2 comma separator 12,34 refuses 5", "12,34", "/S /DP2 ", u'5', kNoKey, 0, cm);
    row("/DP2 comma separator 12,3 accepts 4", "12,3", "/S /DP2 ", u'4', u'4', 0, cm);
    row("/DP2 comma separator ignores point", "12.34", "/DP2 ", u'5', u'5', 0, cm);
    row("/S comma separator 12,3 refuses point", "12,3", "/S ", u'.', kNoKey, 0, cm);
    row("/S comma separator 12.3 accepts comma", "12.3", "/S ", u',', u',', 0, cm);
    row("/DP2 empty text all selected", "", "/DP2 ", u'1', u'1', 0, pt);

    // Signed numbers.
    row("/NEG /N- empty accepts minus", "", "/NEG /N- ", u'-', u'-');
    row("/NEG /N- text 5 refuses minus", "5", "/NEG /N- ", u'-', kNoKey);
    row("/NEG blanks only accepts minus", "   ", "/NEG /N- ", u'-', u'-');
    row("/NEG /N- accepts digit after 5", "5", "/NEG /N- ", u'6', u'6');
    row("/N- refuses letter", "", "/N- ", u'a', kNoKey);
    row("/NEG alone accepts letter", "5", "/NEG ", u'a', u'a');
    row("/N /NEG refuses minus", "", "/N /NEG ", u'-', kNoKey);
}

void TestKeyFilter::filterKey()
{
    QFETCH(QString, text);
    QFETCH(QString, tag);
    QFETCH(QChar, key);
    QFETCH(int, selection);
    QFETCH(QChar, separator);
    QFETCH(QChar, expected);

    QChar filtered = key;
    const bool survives = FilterKey(text, tag, filtered, selection, separator);
    QCOMPARE(filtered, expected);
    QCOMPARE(survives, expected != kNoKey);
}

void TestKeyFilter::runSeparatorIsUsed()
{
    const QChar saved = appState().decimalSeparator;
    appState().decimalSeparator = u',';
    QChar key = u'5';
    QVERIFY(!FilterKey(QStringLiteral("1,25"), QStringLiteral("/DP2 "), key, 0));
    appState().decimalSeparator = u'.';
    key = u'5';
    QVERIFY(FilterKey(QStringLiteral("1,25"), QStringLiteral("/DP2 "), key, 0));
    appState().decimalSeparator = saved;
}

void TestKeyFilter::ansiUpperStaysInCodePage_data()
{
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QChar>("expected");
    QTest::newRow("ascii") << QChar(u'q') << QChar(u'Q');
    QTest::newRow("o diaeresis") << QChar(0x00F6) << QChar(0x00D6);
    QTest::newRow("oe ligature") << QChar(0x0153) << QChar(0x0152);
    QTest::newRow("z caron") << QChar(0x017E) << QChar(0x017D);
    QTest::newRow("sharp s") << QChar(0x00DF) << QChar(0x00DF);
    QTest::newRow("micro") << QChar(0x00B5) << QChar(0x00B5);
    QTest::newRow("greek outside code page") << QChar(0x03B1) << QChar(0x03B1);
    QTest::newRow("upper already") << QChar(0x00C9) << QChar(0x00C9);
}

void TestKeyFilter::ansiUpperStaysInCodePage()
{
    QFETCH(QChar, key);
    QFETCH(QChar, expected);
    QCOMPARE(ansiUpper(key), expected);
}

void TestKeyFilter::insertion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QString>("expected");

    QTest::newRow("digits only") << "" << "/N " << "12a3-4" << 0 << 0 << "1234";
    QTest::newRow("decimal places as text grows") << "" << "/S /DP2 " << "3.14159" << 0 << 0 << "3.14";
    QTest::newRow("second separator dropped") << "" << "/S " << "1.2.3,4" << 0 << 0 << "1.234";
    QTest::newRow("minus only first") << "" << "/N- /NEG " << "-5-6" << 0 << 0 << "-56";
    QTest::newRow("minus refused into text") << "7" << "/N- /NEG " << "-5" << 1 << 0 << "5";
    QTest::newRow("whole text selected starts afresh") << "12.34" << "/S /DP2 " << "9.876" << 0 << 5 << "9.87";
    QTest::newRow("part selected keeps limit") << "12.34" << "/S /DP2 " << "9" << 0 << 2 << "";
    QTest::newRow("selection replaced before second key") << "-1" << "/N- /NEG " << "2-" << 0 << 2 << "2";
    QTest::newRow("upper-cased and accent") << "" << "/> " << "o'brien" << 0 << 0 << QString("O\u00B4BRIEN");
    QTest::newRow("control characters dropped") << "" << "" << "a\tb\nc\x7f" << 0 << 0 << "abc";
    QTest::newRow("non-ANSI kept without set mask") << "" << "" << QString("\u0434a") << 0 << 0 << QString("\u0434a");
    QTest::newRow("non-ANSI dropped by set mask") << "" << "/NS " << QString("\u0434a b") << 0 << 0 << "ab";
    QTest::newRow("surrogate pair kept without mask") << "" << "" << QString::fromUtf8("\xF0\x9F\x90\xA6") << 0 << 0
                                                       << QString::fromUtf8("\xF0\x9F\x90\xA6");
    QTest::newRow("inserted before separator counts whole text") << "1.2" << "/S /DP2 " << "34" << 0 << 0 << "34";
    QTest::newRow("out of range selection is clamped") << "ab" << "/N " << "5" << 9 << 9 << "5";
}

void TestKeyFilter::insertion()
{
    QFETCH(QString, text);
    QFETCH(QString, tag);
    QFETCH(QString, inserted);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(QString, expected);
    QCOMPARE(filterInsertion(text, tag, inserted, selectionStart, selectionLength, QChar(u'.')), expected);
}

QTEST_GUILESS_MAIN(TestKeyFilter)
#include "tst_keyfilter.moc"
