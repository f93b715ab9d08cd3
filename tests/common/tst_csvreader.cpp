// Reading CSV files as federations and spreadsheets write them.
#include "common/CsvReader.h"
#include <QTest>

using namespace durvek;

namespace {

// Records as "line:field|field", one text per record.
QStringList shown(const CsvTable& table)
{
    QStringList lines;
    for (const CsvRecord& record : table.records)
        lines << QString::number(record.line) + u':' + record.fields.join(u'|');
    return lines;
}

} // namespace

class CsvReaderTest : public QObject {
    Q_OBJECT

private slots:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("records");
        QTest::newRow("plain") << QByteArray("a,b,c\n1,2,3\n") << "," << QStringList({"1:a|b|c", "2:1|2|3"});
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFLicence,Name\r\n1,x") << ","
                                         << QStringList({"1:Licence|Name", "2:1|x"});
        QTest::newRow("semicolons") << QByteArray("a;b;\"c,d\"\n1,5;2;3\n") << ";"
                                    << QStringList({"1:a|b|c,d", "2:1,5|2|3"});
        QTest::newRow("blank lines before the header") << QByteArray("\r\n \r\na;b\n1;2") << ";"
                                                       << QStringList({"3:a|b", "4:1|2"});
        QTest::newRow("more commas than semicolons") << QByteArray("a,b;c,d\n") << ","
                                                     << QStringList({"1:a|b;c|d"});
        QTest::newRow("separators in quotes do not count") << QByteArray("\"a,b,c\";d;e\n") << ";"
                                                           << QStringList({"1:a,b,c|d|e"});
        QTest::newRow("CRLF, CR and LF") << QByteArray("a\r\nb\rc\nd") << ","
                                         << QStringList({"1:a", "2:b", "3:c", "4:d"});
        QTest::newRow("doubled quotes") << QByteArray("\"say \"\"hi\"\"\",\"\"\"\"\n") << ","
                                        << QStringList({"1:say \"hi\"|\""});
        QTest::newRow("line break in quotes") << QByteArray("\"Kerkstraat 1\r\nbus 2\",x\r\nnext,y\r\n") << ","
                                              << QStringList({"1:Kerkstraat 1\r\nbus 2|x", "3:next|y"});
        QTest::newRow("empty fields") << QByteArray(",,\n\"\",x,\n") << "," << QStringList({"1:||", "2:|x|"});
        QTest::newRow("blank lines left out") << QByteArray("a\n\n  \r\n\nb\n") << ","
                                              << QStringList({"1:a", "5:b"});
        QTest::newRow("quote inside an unquoted field") << QByteArray("5\"x,b\n") << ","
                                                       << QStringList({"1:5\"x|b"});
        QTest::newRow("text after a closing quote") << QByteArray("\"a\"b,c\n") << "," << QStringList({"1:ab|c"});
        QTest::newRow("UTF-8 letters") << QByteArray("Nom\nG\xC3\xA9rard \xE2\x82\xAC") << ","
                                       << QStringList({"1:Nom", QString::fromUtf8("2:G\xC3\xA9rard \xE2\x82\xAC")});
        QTest::newRow("nothing") << QByteArray() << "," << QStringList();
    }
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, separator);
        QFETCH(QStringList, records);
        const CsvTable table = CsvReader::read(bytes);
        QVERIFY(table.ok());
        QCOMPARE(QString(table.separator), separator);
        QCOMPARE(shown(table), records);
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("line");
        QTest::newRow("Latin-1") << QByteArray("Nom\nG\xE9rard\n") << int(CsvTable::Fault::NotUtf8) << 0;
        QTest::newRow("cut UTF-8") << QByteArray("a,\xC3") << int(CsvTable::Fault::NotUtf8) << 0;
        QTest::newRow("open quote") << QByteArray("a,b\n1,\"x\n2,y\n") << int(CsvTable::Fault::OpenQuote) << 2;
    }
    void refuses()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, fault);
        QFETCH(int, line);
        const CsvTable table = CsvReader::read(bytes);
        QCOMPARE(int(table.fault), fault);
        QCOMPARE(table.faultLine, line);
        QVERIFY(table.records.isEmpty());
    }
};

QTEST_APPLESS_MAIN(CsvReaderTest)
#include "tst_csvreader.moc"
