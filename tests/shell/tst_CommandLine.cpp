// The program's work without a window: --help, --version and --club-result,
// run as a script runs them, against the club database delivered beside the
// program.
#include <QProcess>
#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void answersWithoutOpeningAWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("saying");
        QTest::newRow("help") << QStringList {"--help"} << 0 << "--club-result RACE --date DD-MM-YY --csv FILE";
        QTest::newRow("version") << QStringList {"--version"} << 0 << "durvek-club " DURVEK_VERSION "\n";
        QTest::newRow("incomplete") << QStringList {"--club-result", "1"} << 1 << "needs RACE --date";
        QTest::newRow("no result") << QStringList {"--club-result", "1", "--date", "01-01-99", "--csv", "x.csv"}
                                   << 1 << "No club result for race 1 on 01-01-99";
    }
    void answersWithoutOpeningAWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, saying);
        QProcess program;
        program.setWorkingDirectory(QDir::tempPath());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // no display needed, none given
        environment.remove(QStringLiteral("DISPLAY"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(DURVEK_BIN_DIR "/durvek-club"), arguments);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), exitCode);
        const QString said = QString::fromUtf8(program.readAllStandardOutput() + program.readAllStandardError());
        QVERIFY2(said.contains(saying), qPrintable(said));
        QVERIFY(!QFile::exists(QDir::temp().filePath("x.csv")));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_CommandLine.moc"
