// LIKE patterns that match user text literally, quoted names, and errors
// that say where they come from.
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
            m_db, "SELECT Name FROM fanciers WHERE sort LIKE ? ESCAPE '\\' ORDER BY Name",
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
        exec(m_db, "CREATE TABLE " + quoteIdentifier("odd \"name\"; DROP TABLE fanciers") + " (x)");
        QVERIFY(tableExists(m_db, "odd \"name\"; DROP TABLE fanciers"));
        QVERIFY(tableExists(m_db, "FANCIERS"));
    }

    void errorsNameFileStatementAndEngineMessage()
    {
        try {
            runStatement(m_db, "SELECT nosuchfield FROM fanciers");
            QFAIL("a bad statement ran");
        } catch (const DatabaseError& e) {
            const QString message = QString::fromUtf8(e.what());
            QVERIFY2(message.startsWith(databaseFile(m_db)), e.what());
            QVERIFY2(message.contains("no such column"), e.what());
            QVERIFY2(message.contains("SELECT nosuchfield"), e.what());
        }
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
