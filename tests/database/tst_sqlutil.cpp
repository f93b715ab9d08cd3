// LIKE patterns that match user text literally, quoted names, and errors
// told in plain words with the details kept apart.
#include "support/DeliveredDatabase.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace durvek;
using testing::exec;
using testing::rows;

class TestSqlUtil : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QSqlDatabase m_db;

private slots:
    void initTestCase()
    {
        m_db = testing::openDeliveredDatabase(m_dir.path());
        for (const char* name : {"100% Duif", "100 Duiven", "A_B", "AxB", "C\\D", "C\\\\D", "D'Hondt", "d'hondt jr"})
            runStatement(m_db, "INSERT INTO fanciers (Name, sort) VALUES (?, ?)", {QString::fromUtf8(name), QString::fromUtf8(name)});
    }

    void cleanupTestCase()
    {
        m_db = QSqlDatabase();
        ClubDatabase::close();
    }

    void prefixMatchesLiterally_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("percent") << "100%" << QStringList{"100% Duif"};
        QTest::newRow("underscore") << "A_" << QStringList{"A_B"};
        QTest::newRow("backslash") << "C\\D" << QStringList{"C\\D"};
        QTest::newRow("apostrophe, any case") << "d'h" << QStringList{"D'Hondt", "d'hondt jr"};
        QTest::newRow("empty matches all") << "" << QStringList{"100 Duiven", "100% Duif", "A_B", "AxB",
                                                                "C\\D", "C\\\\D", "D'Hondt", "d'hondt jr"};
    }

    void prefixMatchesLiterally()
    {
        QFETCH(QString, prefix);
        QFETCH(QStringList, names);
        QSqlQuery query = runStatement(
            m_db, "SELECT Name FROM fanciers WHERE lower(sort) LIKE lower(?) ESCAPE '\\' ORDER BY Name",
            {likePrefixPattern(prefix)});
        QStringList found;
        while (query.next())
            found.append(query.value(0).toString());
        QCOMPARE(found, names);
    }

    void escapeWithAnotherCharacter()
    {
        QCOMPARE(escapeLike("50%_!x", u'!'), QString("50!%!_!!x"));
        QCOMPARE(escapeLike("a\\b", u'!'), QString("a\\b"));
    }

    void quotedNamesAreNamesOnly()
    {
        exec(m_db, "CREATE TABLE " + quoteIdentifier("odd \"name\"; DROP TABLE fanciers") + " (x INTEGER)");
        QVERIFY(tableExists(m_db, "odd \"name\"; DROP TABLE fanciers"));
        QVERIFY(tableExists(m_db, "FANCIERS"));
    }

    // The user reads one plain sentence per kind of refusal; the file, the
    // engine's text and the statement are kept for "Show Details".
    void eachRefusalIsToldPlainlyWithTheStatementInDetails_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("sentence");
        using Kind = DatabaseError::Kind;
        QTest::newRow("in use") << "locked" << int(Kind::Busy)
            << "The club database is in use by another program: close it and try again";
        QTest::newRow("disk full") << "full" << int(Kind::Full) << "The disk is full";
        QTest::newRow("damaged") << "garbage" << int(Kind::Corrupt) << "The club database is damaged: restore a backup";
        QTest::newRow("read only") << "readonly" << int(Kind::ReadOnly) << "The club database is read only";
        QTest::newRow("other") << "nosuchfield" << int(Kind::Other) << "The club database refused the request";
    }

    void eachRefusalIsToldPlainlyWithTheStatementInDetails()
    {
        if (testing::onServer())
            QSKIP("the refusals of the SQLite file");
        QFETCH(QString, situation);
        QFETCH(int, kind);
        QFETCH(QString, sentence);
        QTemporaryDir dir;
        QString file = databaseFile(m_db);
        QString uri = file;
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=0");
        if (situation == "garbage") {
            QFile garbage(file = dir.filePath("garbage.db"));
            QVERIFY(garbage.open(QIODevice::WriteOnly));
            garbage.write(QByteArray(4096, 'x'));
            uri = file;
        } else if (situation == "readonly") {
            uri = QUrl::fromLocalFile(file).toString() + "?mode=ro";
            options += ";QSQLITE_OPEN_URI";
        }
        const QString sql = situation == "nosuchfield" ? "SELECT nosuchfield FROM fanciers"
                                                       : "INSERT INTO fanciers (Name) VALUES (zeroblob(?))";
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
            other.setConnectOptions(options);
            other.setDatabaseName(uri);
            QVERIFY(other.open());
            if (situation == "locked")
                exec(m_db, "BEGIN IMMEDIATE");
            if (situation == "full")
                exec(other, "PRAGMA max_page_count = " + queryValue(other, "PRAGMA page_count").toString());
            try {
                runStatement(other, sql, {100000});
                QFAIL("the statement was not refused");
            } catch (const DatabaseError& e) {
                QCOMPARE(int(e.kind()), kind);
                QCOMPARE(e.sentence(), sentence);
                QVERIFY2(e.details().contains(sql), qPrintable(e.details()));
                QVERIFY2(e.details().contains(file), qPrintable(e.details()));
                QVERIFY2(QString::fromUtf8(e.what()).startsWith(sentence), e.what());
            }
            if (situation == "locked")
                exec(m_db, "ROLLBACK");
        }
        QSqlDatabase::removeDatabase("other");
    }

    // A server answers with an SQLSTATE, never to be read as SQLite's code.
    void serverRefusalsAreToldPlainly_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("read only") << true << "INSERT INTO fanciers (Name) VALUES ('x')" << "The club database is read only";
        QTest::newRow("other") << false << "SELECT nosuchfield FROM fanciers" << "The club database refused the request";
        // The server rolls one of two crossing transactions back; the store
        // simply did not happen.
        const QString crossed = "Another PC was storing in the club database at the same moment, so nothing was stored. "
                                "Do it again";
        QTest::newRow("deadlock") << false << "SELECT pg_temp.fail_as('40P01')" << crossed;
        QTest::newRow("serialization") << false << "SELECT pg_temp.fail_as('40001')" << crossed;
    }

    void serverRefusalsAreToldPlainly()
    {
        if (!testing::onServer())
            QSKIP("about a server database");
        QFETCH(bool, readOnly);
        QFETCH(QString, sql);
        QFETCH(QString, sentence);
        exec(m_db, "CREATE OR REPLACE FUNCTION pg_temp.fail_as(state TEXT) RETURNS INTEGER LANGUAGE plpgsql AS "
                   "$$BEGIN RAISE EXCEPTION 'as the server fails' USING ERRCODE = state; END$$");
        testing::setWritesRefused(m_db, readOnly);
        try {
            runStatement(m_db, sql);
            QFAIL("the statement was not refused");
        } catch (const DatabaseError& e) {
            QCOMPARE(e.sentence(), sentence);
            QVERIFY2(e.details().contains(databaseFile(m_db)) && e.details().contains(sql), qPrintable(e.details()));
        }
        testing::setWritesRefused(m_db, false);
    }

    void transactionRollsBackOnThrow()
    {
        const int before = queryValue(m_db, "SELECT count(*) FROM fanciers").toInt();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, inTransaction(m_db, [&] {
            exec(m_db, "INSERT INTO fanciers (Name) VALUES ('gone')");
            throw std::runtime_error("stop");
        }));
        QCOMPARE(queryValue(m_db, "SELECT count(*) FROM fanciers").toInt(), before);
        inTransaction(m_db, [&] { exec(m_db, "INSERT INTO fanciers (Name) VALUES ('kept')"); });
        QCOMPARE(queryValue(m_db, "SELECT count(*) FROM fanciers").toInt(), before + 1);
    }

    // Inside a caller's transaction a unit is part of it: its failure undoes
    // only its own rows, and the caller's rollback undoes everything.
    void unitInsideCallersTransaction()
    {
        const int before = queryValue(m_db, "SELECT count(*) FROM fanciers").toInt();
        QVERIFY(m_db.transaction());
        exec(m_db, "INSERT INTO fanciers (Name) VALUES ('outer')");
        inTransaction(m_db, [&] { exec(m_db, "INSERT INTO fanciers (Name) VALUES ('inner')"); });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, inTransaction(m_db, [&] {
            exec(m_db, "INSERT INTO fanciers (Name) VALUES ('failed')");
            throw std::runtime_error("stop");
        }));
        QCOMPARE(queryValue(m_db, "SELECT count(*) FROM fanciers").toInt(), before + 2);
        QVERIFY(m_db.rollback());
        QCOMPARE(queryValue(m_db, "SELECT count(*) FROM fanciers").toInt(), before);
    }
};

QTEST_GUILESS_MAIN(TestSqlUtil)
#include "tst_sqlutil.moc"
