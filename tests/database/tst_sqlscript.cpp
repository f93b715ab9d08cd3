// Splitting SQL scripts into statements, and writing database files so that a
// failed run never leaves a half database behind.
#include "DatabaseFileWriter.h"
#include "SqlScript.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace durvek;

namespace {

QStringList texts(const QList<SqlStatement>& statements)
{
    QStringList out;
    for (const SqlStatement& s : statements)
        out.append(s.text);
    return out;
}

int countRows(const QString& path, const QString& sql)
{
    int result = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(sql) && query.next())
                result = query.value(0).toInt();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return result;
}

} // namespace

class TestSqlScript : public QObject {
    Q_OBJECT

private slots:
    void splitsAtStatementEnds_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("plain") << "CREATE TABLE a (x);\nINSERT INTO a VALUES (1);\n"
                               << QStringList{"CREATE TABLE a (x);", "INSERT INTO a VALUES (1);"};
        QTest::newRow("last without semicolon") << "SELECT 1;\nSELECT 2"
                                                << QStringList{"SELECT 1;", "SELECT 2"};
        QTest::newRow("semicolon in text") << "INSERT INTO a VALUES ('x; y');SELECT 1;"
                                           << QStringList{"INSERT INTO a VALUES ('x; y');", "SELECT 1;"};
        QTest::newRow("doubled quote") << "INSERT INTO a VALUES ('it''s; fine');"
                                       << QStringList{"INSERT INTO a VALUES ('it''s; fine');"};
        QTest::newRow("quoted name") << "CREATE TABLE \"a;b\" (x);"
                                     << QStringList{"CREATE TABLE \"a;b\" (x);"};
        QTest::newRow("bracket name") << "SELECT [x;y] FROM a;"
                                      << QStringList{"SELECT [x;y] FROM a;"};
        QTest::newRow("line comment") << "-- one; two\nSELECT 1;"
                                      << QStringList{"-- one; two\nSELECT 1;"};
        QTest::newRow("only comments dropped") << "SELECT 1;\n-- the end;\n/* really; */\n"
                                               << QStringList{"SELECT 1;"};
        QTest::newRow("block comment") << "SELECT /* ; */ 1;"
                                       << QStringList{"SELECT /* ; */ 1;"};
        QTest::newRow("empty statements") << ";;\n ; SELECT 1;;"
                                          << QStringList{"SELECT 1;"};
        QTest::newRow("trigger body")
            << "CREATE TRIGGER t AFTER INSERT ON a BEGIN\n  INSERT INTO b VALUES (1);\n  "
               "DELETE FROM c;\nEND;\nSELECT 1;"
            << QStringList{"CREATE TRIGGER t AFTER INSERT ON a BEGIN\n  INSERT INTO b VALUES (1);\n  "
                           "DELETE FROM c;\nEND;",
                           "SELECT 1;"};
        QTest::newRow("temp trigger") << "create temp trigger t before delete on a begin select 1; end; select 2;"
                                      << QStringList{"create temp trigger t before delete on a begin select 1; end;",
                                                     "select 2;"};
        QTest::newRow("unterminated quote keeps the rest") << "SELECT 'abc; def"
                                                           << QStringList{"SELECT 'abc; def"};
    }

    void splitsAtStatementEnds()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        QCOMPARE(texts(splitSqlScript(script)), expected);
    }

    void statementsKnowTheirLine()
    {
        const auto statements = splitSqlScript(QStringLiteral("SELECT 1;\n\n-- note\nSELECT\n2;"));
        QCOMPARE(statements.size(), 2);
        QCOMPARE(statements.at(0).line, 1);
        QCOMPARE(statements.at(1).line, 3);
    }

    void failedScriptLeavesNoFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("club.db"));
        const QString script = QStringLiteral("CREATE TABLE a (x);\nINSERT INTO nowhere VALUES (1);\n");
        QVERIFY_THROWS_EXCEPTION(SqlScriptError,
            writeDatabaseFile(path, [&](QSqlDatabase& db) { runSqlScript(db, script); }, false));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void errorNamesTheLine()
    {
        QTemporaryDir dir;
        const QString script = QStringLiteral("CREATE TABLE a (x);\n\nINSERT INTO nowhere VALUES (1);\n");
        try {
            writeDatabaseFile(dir.filePath(QStringLiteral("x.db")),
                              [&](QSqlDatabase& db) { runSqlScript(db, script); }, false);
            QFAIL("the bad statement was accepted");
        } catch (const SqlScriptError& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(QLatin1String("line 3")), e.what());
            QVERIFY2(QString::fromUtf8(e.what()).contains(QLatin1String("nowhere")), e.what());
        }
    }

    void keepExistingLeavesTheFileAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("club.db"));
        auto script = [](const QString& sql) {
            return [sql](QSqlDatabase& db) { runSqlScript(db, sql); };
        };
        QCOMPARE(writeDatabaseFile(path, script("CREATE TABLE a (x); INSERT INTO a VALUES (1);"), true),
                 WriteOutcome::Written);
        QCOMPARE(writeDatabaseFile(path, script("CREATE TABLE a (x);"), true), WriteOutcome::LeftAlone);
        QCOMPARE(countRows(path, "SELECT count(*) FROM a"), 1);
        // Without keepExisting the file is replaced as a whole.
        QCOMPARE(writeDatabaseFile(path, script("CREATE TABLE a (x);"), false), WriteOutcome::Written);
        QCOMPARE(countRows(path, "SELECT count(*) FROM a"), 0);
    }

    void makedbCommandLine()
    {
        const QString makedb = QStringLiteral(DURVEK_BIN_DIR "/makedb");
        if (!QFile::exists(makedb))
            QSKIP("makedb is not built");
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("durvadm.db"));
        const QString sql = QStringLiteral(DURVEK_SOURCE_DIR "/data/durvadm.sql");

        QCOMPARE(QProcess::execute(makedb, {QStringLiteral("--if-missing"), db, sql}), 0);
        QVERIFY(countRows(db, "SELECT count(*) FROM PcLanguage") > 0);
        QVERIFY(countRows(db, "SELECT count(*) FROM fanciers") == 0);

        // A club's file is never overwritten by --if-missing, even with a broken script.
        QFile broken(dir.filePath(QStringLiteral("broken.sql")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("CREATE TABLE;");
        broken.close();
        QCOMPARE(QProcess::execute(makedb, {QStringLiteral("--if-missing"), db, broken.fileName()}), 0);
        QVERIFY(countRows(db, "SELECT count(*) FROM PcLanguage") > 0);

        // Without it a failing script is an error and the old file stays intact.
        QCOMPARE(QProcess::execute(makedb, {db, broken.fileName()}), 1);
        QVERIFY(countRows(db, "SELECT count(*) FROM PcLanguage") > 0);

        QCOMPARE(QProcess::execute(makedb, {db}), 2);
    }
};

QTEST_GUILESS_MAIN(TestSqlScript)
#include "tst_sqlscript.moc"
