#include "common/AppState.h"
#include "common/ValueHelpers.h"
#include <QtTest>

using namespace durvek;

class TestValueHelpers : public QObject {
    Q_OBJECT
private slots:
    void textOrDefault_data();
    void textOrDefault();
    void fieldNumber_data();
    void fieldNumber();
    void fieldNumberFollowsRunSeparator();
    void stripControlChars();
    void removeSpaces();
    void hasNonNumeric_data();
    void hasNonNumeric();
    void fieldBool_data();
    void fieldBool();
};

void TestValueHelpers::textOrDefault_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("withDefault");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null with default space") << QVariant() << true << " ";
    QTest::newRow("null without default") << QVariant() << false << "";
    QTest::newRow("blanks with default") << QVariant("    ") << true << " ";
    QTest::newRow("blanks without default") << QVariant("   ") << false << "";
    QTest::newRow("trimmed") << QVariant("  abc  ") << true << "abc";
    QTest::newRow("inner blanks stay") << QVariant(" a b ") << false << "a b";
    QTest::newRow("tab is not a blank") << QVariant("\tx") << false << "\tx";
    QTest::newRow("number") << QVariant(42) << false << "42";
    QTest::newRow("null string variant") << QVariant(QString()) << true << " ";
}

void TestValueHelpers::textOrDefault()
{
    QFETCH(QVariant, value);
    QFETCH(bool, withDefault);
    QFETCH(QString, expected);
    const QString result = withDefault ? TextOrDefault(value, QStringLiteral(" ")) : TextOrDefault(value);
    QCOMPARE(result, expected);
}

void TestValueHelpers::fieldNumber_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<double>("expected");
    const QChar comma(u','), point(u'.'), other(u';');
    QTest::newRow("comma 2,5") << QVariant("2,5") << comma << 2.5;
    QTest::newRow("point 2.5") << QVariant("2.5") << point << 2.5;
    QTest::newRow("point reads 2,5 as 2") << QVariant("2,5") << point << 2.0;
    QTest::newRow("separator alone, comma") << QVariant(",") << comma << 0.0;
    QTest::newRow("separator alone, point") << QVariant(".") << point << 0.0;
    QTest::newRow("empty") << QVariant("") << point << 0.0;
    QTest::newRow("null") << QVariant() << comma << 0.0;
    QTest::newRow("point leading number") << QVariant("12abc") << point << 12.0;
    QTest::newRow("point no number") << QVariant("abc") << point << 0.0;
    QTest::newRow("point leading blanks and sign") << QVariant("  -3.25x") << point << -3.25;
    QTest::newRow("point fraction only") << QVariant(".5") << point << 0.5;
    QTest::newRow("point exponent") << QVariant("1e3") << point << 1000.0;
    QTest::newRow("point dangling exponent") << QVariant("7e") << point << 7.0;
    QTest::newRow("point lone minus") << QVariant("-") << point << 0.0;
    QTest::newRow("comma not a number") << QVariant("abc") << comma << 0.0;
    QTest::newRow("comma integer") << QVariant(" 17 ") << comma << 17.0;
    QTest::newRow("comma negative") << QVariant("-0,25") << comma << -0.25;
    QTest::newRow("other separator") << QVariant("2.5") << other << 0.0;
    QTest::newRow("int field") << QVariant(7) << comma << 7.0;
    QTest::newRow("double field, comma") << QVariant(2.5) << comma << 2.5;
    QTest::newRow("double field, point") << QVariant(2.5) << point << 2.5;
}

void TestValueHelpers::fieldNumber()
{
    QFETCH(QVariant, value);
    QFETCH(QChar, separator);
    QFETCH(double, expected);
    QCOMPARE(FieldNumber(value, separator), expected);
}

void TestValueHelpers::fieldNumberFollowsRunSeparator()
{
    const QChar saved = appState().decimalSeparator;
    appState().decimalSeparator = u',';
    QCOMPARE(FieldNumber(QVariant("2,5")), 2.5);
    appState().decimalSeparator = u'.';
    QCOMPARE(FieldNumber(QVariant("2,5")), 2.0);
    appState().decimalSeparator = saved;
}

void TestValueHelpers::stripControlChars()
{
    const QString text = QStringLiteral("a\nb\rc\x01" "d\te\x0b" "f");
    // Codes up to 10 go (line feed, tab, 1); 11 and carriage return stay.
    QCOMPARE(StripControlChars(text), QStringLiteral("ab\rcde\x0b" "f"));
    QCOMPARE(StripControlChars(QString()), QString());
    QCOMPARE(StripControlChars(QStringLiteral("é ´")), QStringLiteral("é ´"));
}

void TestValueHelpers::removeSpaces()
{
    QCOMPARE(RemoveSpaces(QStringLiteral(" NL 23  1234 ")), QStringLiteral("NL231234"));
    QCOMPARE(RemoveSpaces(QStringLiteral("a\tb\nc")), QStringLiteral("a\tb\nc"));
}

void TestValueHelpers::hasNonNumeric_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("digits and minus, blanks around") << "  12-3  " << false << "12-3";
    QTest::newRow("letter") << "12a" << true << "12a";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("only blanks") << "   " << false << "";
    QTest::newRow("inner blank") << " 1 2 " << true << "1 2";
    QTest::newRow("point") << "1.5" << true << "1.5";
}

void TestValueHelpers::hasNonNumeric()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QFETCH(QString, trimmed);
    QCOMPARE(HasNonNumeric(text), expected);
    QCOMPARE(text, trimmed);
}

void TestValueHelpers::fieldBool_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("expected");
    QTest::newRow("null") << QVariant() << false;
    QTest::newRow("0") << QVariant(0) << false;
    QTest::newRow("1") << QVariant(1) << true;
    QTest::newRow("-1") << QVariant(-1) << true;
    QTest::newRow("42") << QVariant(42) << true;
    QTest::newRow("text -1") << QVariant("-1") << true;
    QTest::newRow("text 0") << QVariant("0") << false;
    QTest::newRow("text True") << QVariant("True") << true;
    QTest::newRow("text false") << QVariant("false") << false;
    QTest::newRow("text junk") << QVariant("yes please") << false;
    QTest::newRow("bool true") << QVariant(true) << true;
    QTest::newRow("int64") << QVariant(qlonglong(1) << 40) << true;
}

void TestValueHelpers::fieldBool()
{
    QFETCH(QVariant, value);
    QFETCH(bool, expected);
    QCOMPARE(FieldBool(value), expected);
}

QTEST_GUILESS_MAIN(TestValueHelpers)
#include "tst_valuehelpers.moc"
