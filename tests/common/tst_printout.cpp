// The PDF file a printout proposes: its subject and the day, in the folder
// given, under a name any file system takes.
#include "common/Printout.h"
#include <QtTest>

using namespace durvek;

class TestPrintout : public QObject {
    Q_OBJECT
private slots:
    void proposedPdfPath_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "Race 10234567 JANSSENS PIET" << "/docs/Race 10234567 JANSSENS PIET 2026-06-15.pdf";
        // A name with a slash would otherwise point into a folder that is not there.
        QTest::newRow("not in file names") << "Overview 1/2 A:B \"C\"" << "/docs/Overview 1-2 A-B -C- 2026-06-15.pdf";
        QTest::newRow("blanks of fixed-width fields") << "Training  10234567   Demo " << "/docs/Training 10234567 Demo 2026-06-15.pdf";
    }
    void proposedPdfPath()
    {
        QFETCH(QString, subject);
        QFETCH(QString, path);
        QCOMPARE(durvek::proposedPdfPath(subject, QDate(2026, 6, 15), QStringLiteral("/docs")), path);
    }

    void documentsFolderIsTheHomeFolderWhileThereIsNone()
    {
        const QTemporaryDir home;
        qputenv("HOME", home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(documentsFolder(), home.path());
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Documents")));
        QCOMPARE(documentsFolder(), home.path() + QStringLiteral("/Documents"));
    }
};

QTEST_MAIN(TestPrintout)
#include "tst_printout.moc"
