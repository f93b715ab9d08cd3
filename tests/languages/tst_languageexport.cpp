// "Generate" of the export window: what it writes, and when it writes nothing.
#include "LanguageDatabase.h"
#include "languages/LanguageExport.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace durvek;
using namespace durvek::test;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

QList<LanguageRow> twoRows()
{
    return {{1, "WEDVLUCHT", "Hola"}, {2, "TRAINING", "Adios"}};
}

} // namespace

class LanguageExportTest : public QObject {
    Q_OBJECT

    QTemporaryDir documents;
    QString folder() const { return documents.filePath(QStringLiteral("uk")); }

private slots:
    void init()
    {
        QDir(folder()).removeRecursively();
    }

    void writesTheTableOfTheSpanishColumn()
    {
        // "other" is never exported, a null text is an empty literal,
        // blanks around a text and the file name are left out
        LanguageDatabase data({{7, "DATUM", "  Fecha "}, {3, "OTHER", QVariant()}, {12, "X", "Adi\u00F3s"}});
        QVERIFY(data.isValid());
        const ExportResult r = LanguageExport(folder()).generate(data.db(), QStringLiteral("spaans"),
                                                                 QStringLiteral("  tabla es "));
        QCOMPARE(r.outcome, ExportResult::Written);
        QCOMPARE(r.filePath, QDir(folder()).filePath(QStringLiteral("tabla es.txt")));
        const QByteArray expected =
            "code uc Teksten[String_Ruimte] = {\r\n"
            "\"\\0\"\r\n"
            "\"Fecha\\0\"\r\n"
            "\"Adi\xF3s\\0\"\r\n"
            "};\r\n";
        QCOMPARE(fileBytes(r.filePath), expected);
        QCOMPARE(filesIn(folder()), QStringList{QStringLiteral("tabla es.txt")});
    }

    void anEarlierFileIsReplacedWhole()
    {
        QVERIFY(QDir().mkpath(folder()));
        const QString path = QDir(folder()).filePath(QStringLiteral("tabla.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4000, 'x'));
        old.close();
        LanguageDatabase data(twoRows());
        const ExportResult r = LanguageExport(folder()).generate(data.db(), QStringLiteral("1"), QStringLiteral("tabla"));
        QVERIFY(r.written());
        QCOMPARE(fileBytes(path),
                 QByteArray("code uc Teksten[String_Ruimte] = {\r\n\"Hola\\0\"\r\n\"Adios\\0\"\r\n};\r\n"));
    }

    void emptyBoxesWriteNothing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::newRow("field empty") << "" << "tabla";
        QTest::newRow("name empty") << "spaans" << "";
        QTest::newRow("name blank") << "spaans" << "   ";
        QTest::newRow("both empty") << "" << "";
    }
    void emptyBoxesWriteNothing()
    {
        QFETCH(QString, field);
        QFETCH(QString, name);
        LanguageDatabase data(twoRows());
        const ExportResult r = LanguageExport(folder()).generate(data.db(), field, name);
        QCOMPARE(r.outcome, ExportResult::NothingAsked);
        QVERIFY(!QFileInfo::exists(folder()));
    }

    void emptyTableWritesNoFile()
    {
        LanguageDatabase data;
        QVERIFY(data.isValid());
        const ExportResult r = LanguageExport(folder()).generate(data.db(), QStringLiteral("x"), QStringLiteral("tabla"));
        QCOMPARE(r.outcome, ExportResult::NoTexts);
        QVERIFY(!r.error.isEmpty());
        QVERIFY(filesIn(folder()).isEmpty());
    }

    void characterTheClocksLackStopsTheExport_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("greek") << QStringLiteral("OK \u03A9 2") << QStringLiteral("\"\u03A9\" (U+03A9)");
        QTest::newRow("beyond 16 bits") << QStringLiteral("\U0001F426") << QStringLiteral("\"\U0001F426\" (U+1F426)");
    }
    void characterTheClocksLackStopsTheExport()
    {
        QFETCH(QString, text);
        QFETCH(QString, named);
        LanguageDatabase data({{3, "A", "Hola"}, {17, "B", text}, {20, "C", "Adios"}});
        const ExportResult r = LanguageExport(folder()).generate(data.db(), QStringLiteral("x"), QStringLiteral("tabla"));
        QCOMPARE(r.outcome, ExportResult::NotInCodePage);
        QVERIFY2(r.error.startsWith(QStringLiteral("Text 17 ")) && r.error.contains(named), qPrintable(r.error));
        QVERIFY(filesIn(folder()).isEmpty());
    }

    void unreadableTableIsReported()
    {
        LanguageDatabase data(twoRows());
        QVERIFY(data.dropTable());
        const ExportResult r = LanguageExport(folder()).generate(data.db(), QStringLiteral("x"), QStringLiteral("tabla"));
        QCOMPARE(r.outcome, ExportResult::DatabaseFailed);
        QVERIFY(r.error.contains(QStringLiteral("language")));
        QVERIFY(filesIn(folder()).isEmpty());
    }

    void nameThatLeavesTheFolderIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << "../tabla";
        QTest::newRow("backslash") << "sub\\tabla";
        QTest::newRow("drive") << "c:tabla";
        QTest::newRow("wildcard") << "tab*";
    }
    void nameThatLeavesTheFolderIsRefused()
    {
        QFETCH(QString, name);
        LanguageDatabase data(twoRows());
        const ExportResult r = LanguageExport(folder()).generate(data.db(), QStringLiteral("x"), name);
        QCOMPARE(r.outcome, ExportResult::BadFileName);
        QVERIFY(filesIn(folder()).isEmpty());
        QVERIFY(!QFileInfo::exists(documents.filePath(QStringLiteral("tabla.txt"))));
    }

    void folderThatCannotBeMadeIsAnError()
    {
        // a file stands where the folder should be
        QFile blocker(folder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        LanguageDatabase data(twoRows());
        const ExportResult r = LanguageExport(folder()).generate(data.db(), QStringLiteral("x"), QStringLiteral("tabla"));
        QCOMPARE(r.outcome, ExportResult::CannotWrite);
        QVERIFY(!r.error.isEmpty());
        QVERIFY(QFile::remove(folder()));
    }

    void fileThatCannotBeOpenedIsAnError()
    {
        // a folder of the file's name: opening it for writing fails
        QVERIFY(QDir().mkpath(QDir(folder()).filePath(QStringLiteral("tabla.txt"))));
        LanguageDatabase data(twoRows());
        const ExportResult r = LanguageExport(folder()).generate(data.db(), QStringLiteral("x"), QStringLiteral("tabla"));
        QCOMPARE(r.outcome, ExportResult::CannotWrite);
        QVERIFY(r.error.contains(QStringLiteral("tabla.txt")));
        QVERIFY(QFileInfo(QDir(folder()).filePath(QStringLiteral("tabla.txt"))).isDir());
    }
};

QTEST_GUILESS_MAIN(LanguageExportTest)
#include "tst_languageexport.moc"
