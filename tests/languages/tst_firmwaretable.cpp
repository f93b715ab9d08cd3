// The firmware string table: its exact bytes, the texts that would break
// the firmware's build if they went in as they stand, and the escapes the
// texts hold on purpose.
#include "languages/FirmwareStringTable.h"
#include <QTest>

using namespace durvek;

namespace {

QByteArray table(const QStringList& texts)
{
    QList<ClockText> rows;
    for (const QString& text : texts)
        rows.append({int(rows.size()) + 1, text});
    return firmwareStringTable(rows, nullptr).value_or("no table");
}

} // namespace

class FirmwareTableTest : public QObject {
    Q_OBJECT

private slots:
    void tableOfTwoTextsByteForByte()
    {
        const QByteArray expected =
            "code uc Teksten[String_Ruimte] = {\r\n"
            "\"Hola\\0\"\r\n"
            "\"Adios\\0\"\r\n"
            "};\r\n";
        QCOMPARE(table({QStringLiteral("Hola"), QStringLiteral("Adios")}), expected);
    }

    void emptyTextIsALoneTerminator()
    {
        const QByteArray expected =
            "code uc Teksten[String_Ruimte] = {\r\n"
            "\"\\0\"\r\n"
            "};\r\n";
        QCOMPARE(table({QString()}), expected);
    }

    void charactersGoOutInTheClocksCodePage()
    {
        QVERIFY(table({QStringLiteral("Se\u00F1or \u20AC5")}).contains(QByteArray("\"Se\xF1or \x80" "5\\0\"\r\n")));
    }

    void literalBodies_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("body");
        QTest::newRow("plain") << "KLOK GEREED" << "KLOK GEREED";
        QTest::newRow("quote") << "SAY \"HI\"" << "SAY \\\"HI\\\"";
        QTest::newRow("escaped quote stays") << "SAY \\\"HI\\\"" << "SAY \\\"HI\\\"";
        QTest::newRow("quote after an escaped backslash") << "C:\\\\\"" << "C:\\\\\\\"";
        QTest::newRow("escapes stay as they stand") << "A\\0B\\n\\x7F" << "A\\0B\\n\\x7F";
        QTest::newRow("backslash at the end") << "END\\" << "END\\";
        QTest::newRow("line break") << "TWO\nLINES" << "TWO\\012LINES";
        // a digit after the escape must stay a character of its own
        QTest::newRow("tab before a digit") << "\t1" << "\\0111";
        QTest::newRow("carriage return") << "A\rB" << "A\\015B";
        QTest::newRow("delete") << QString(QChar(0x7F)) << "\\177";
        QTest::newRow("apostrophe stays") << "CLUB'S" << "CLUB'S";
    }
    void literalBodies()
    {
        QFETCH(QString, text);
        QFETCH(QString, body);
        QCOMPARE(firmwareLiteralBody(text), body);
    }
};

QTEST_GUILESS_MAIN(FirmwareTableTest)
#include "tst_firmwaretable.moc"
