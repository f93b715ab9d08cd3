// Pigeon numbers: renumbering 1..n in the existing order, and the next number.
#include "support/DeliveredDatabase.h"
#include "database/ClubDatabase.h"
#include "database/PigeonNumbering.h"
#include "database/SchemaUpgrade.h"
#include "database/SqlUtil.h"
#include <QTemporaryDir>
#include <QtTest>

using namespace durvek;
using testing::exec;
using testing::rows;

class TestPigeonNumbering : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QSqlDatabase m_db;

    // Pigeons whose band is their label, stored in the given order with the given numbers.
    void addPigeons(const QList<QPair<QString, QVariant>>& pigeons)
    {
        for (const auto& [band, nr] : pigeons)
            runStatement(m_db, "INSERT INTO pigeons (Fancier, band, nr) VALUES (1, ?, ?)", {band, nr});
    }

    QStringList bandsByNumber()
    {
        return rows(m_db, "SELECT band || '=' || nr FROM pigeons ORDER BY nr");
    }

private slots:
    void init()
    {
        m_db = testing::openDeliveredDatabase(m_dir.path());
        AddFieldIfMissing(m_db, "pigeons", "Nr", FieldType::Long, 4, true);
    }

    void cleanup()
    {
        m_db = QSqlDatabase();
        ClubDatabase::close();
    }

    void gapsAndTiesBecomeOneToN()
    {
        // Stored out of order; 9 twice: the one stored first stays first.
        addPigeons({{"c", 9}, {"a", 5}, {"d", 20}, {"b", 9}});
        RenumberPigeons(m_db);
        QCOMPARE(bandsByNumber(), QStringList({"a=1", "c=2", "b=3", "d=4"}));
    }

    void pigeonsWithoutNumberComeFirstInStoredOrder()
    {
        addPigeons({{"x", 3}, {"n1", QVariant()}, {"y", 1}, {"n2", QVariant()}});
        RenumberPigeons(m_db);
        QCOMPARE(bandsByNumber(), QStringList({"n1=1", "n2=2", "y=3", "x=4"}));
        QCOMPARE(rows(m_db, "SELECT count(*) FROM pigeons WHERE nr IS NULL"), QStringList({"0"}));
    }

    void negativeAndZeroNumbers()
    {
        addPigeons({{"b", 0}, {"a", -4}, {"c", 1}});
        RenumberPigeons(m_db);
        QCOMPARE(bandsByNumber(), QStringList({"a=1", "b=2", "c=3"}));
    }

    // A right numbering is left untouched: no row is written, so a trigger
    // on updates never fires.
    void rightNumbersAreNotWritten()
    {
        addPigeons({{"a", 1}, {"b", 2}, {"c", 4}});
        exec(m_db, "CREATE TABLE writes (band TEXT)");
        testing::addTrigger(m_db, "count_writes", "AFTER", "UPDATE", "pigeons", "1 = 1",
                            "INSERT INTO writes VALUES (new.band)");
        RenumberPigeons(m_db);
        QCOMPARE(rows(m_db, "SELECT band FROM writes"), QStringList({"c"}));
        RenumberPigeons(m_db);
        QCOMPARE(rows(m_db, "SELECT band FROM writes"), QStringList({"c"}));
    }

    // Start-up decides from the nr index whether anything needs a number; a
    // club numbered 1..n is not written at all, so a connection that may not
    // write gets through, and any wrong number is still found.
    void onlyWrongNumbersCauseAWrite_data()
    {
        QTest::addColumn<QVariantList>("numbers");
        QTest::addColumn<bool>("writes");
        QTest::newRow("1..n") << QVariantList{1, 2, 3} << false;
        QTest::newRow("1..n stored out of order") << QVariantList{3, 1, 2} << false;
        QTest::newRow("gap") << QVariantList{1, 2, 4} << true;
        QTest::newRow("tie") << QVariantList{1, 2, 2} << true;
        QTest::newRow("tie below the highest") << QVariantList{1, 1, 3} << true;
        QTest::newRow("from 0") << QVariantList{0, 1, 2} << true;
        QTest::newRow("fraction") << QVariantList{1, 2.5, 3} << true;
        QTest::newRow("no number") << QVariantList{1, QVariant(), 2} << true;
        QTest::newRow("text") << QVariantList{1, 2, "x"} << true;
        QTest::newRow("no pigeons") << QVariantList{} << false;
    }

    void onlyWrongNumbersCauseAWrite()
    {
        QFETCH(QVariantList, numbers);
        QFETCH(bool, writes);
        if (engineOf(m_db) == SqlEngine::Postgres && QByteArray(QTest::currentDataTag()) == "text")
            QSKIP("a server's number field holds numbers only");
        for (const QVariant& nr : numbers)
            addPigeons({{nr.toString(), nr}});
        AddPigeonNumberIndex(m_db);
        testing::setWritesRefused(m_db, true);
        bool refused = false;
        try {
            RenumberPigeons(m_db);
        } catch (const DatabaseError&) {
            refused = true;
        }
        testing::setWritesRefused(m_db, false);
        QCOMPARE(refused, writes);
        // Written or not, the pigeons end up numbered and the index stays.
        RenumberPigeons(m_db);
        QStringList oneToN;
        for (qsizetype nr = 1; nr <= numbers.size(); ++nr)
            oneToN.append(QString::number(nr));
        QCOMPARE(rows(m_db, "SELECT nr FROM pigeons ORDER BY nr"), oneToN);
        QVERIFY(indexExists(m_db, "pigeons_nr"));
    }

    // A failure part way leaves the old numbers: one transaction. Nothing of
    // the attempt stays behind on the connection, so the next one can run.
    void failureKeepsOldNumbers()
    {
        addPigeons({{"a", 10}, {"b", 20}, {"c", 30}});
        const bool onFile = engineOf(m_db) == SqlEngine::Sqlite;
        const auto connectionSettings = [&] {
            return onFile ? rows(m_db, "SELECT cache_size || ' ' || secure_delete FROM pragma_cache_size, pragma_secure_delete")
                          : QStringList();
        };
        const QStringList settings = connectionSettings();
        testing::addRefusingTrigger(m_db, "refuse", "AFTER", "UPDATE", "pigeons", "new.band = 'c'", "refused");
        // The places a renumbering offers the SQL are gone after it, failed or not.
        const auto placesOffered = [&] { return QSqlQuery(m_db).exec("SELECT pigeon_place(1)"); };
        QVERIFY_THROWS_EXCEPTION(DatabaseError, RenumberPigeons(m_db));
        QCOMPARE(bandsByNumber(), QStringList({"a=10", "b=20", "c=30"}));
        QCOMPARE(connectionSettings(), settings);
        QVERIFY(!placesOffered());
        QVERIFY(m_db.transaction()); // no transaction was left open
        QVERIFY(m_db.rollback());
        testing::dropTrigger(m_db, "refuse", "pigeons");
        RenumberPigeons(m_db);
        QCOMPARE(bandsByNumber(), QStringList({"a=1", "b=2", "c=3"}));
        QVERIFY(!placesOffered());
    }

    // On a server every renumbered pigeon gets a new row version; once the
    // table has made room, that version stays on the pigeon's own page
    // instead of moving (with new entries in every index), which made a
    // server's renumbering several times slower than the file's.
    void serverRenumberingKeepsPigeonsOnTheirPages()
    {
        if (engineOf(m_db) != SqlEngine::Postgres)
            QSKIP("pages and row versions are the server's");
        exec(m_db, "INSERT INTO pigeons (Fancier, band, nr) SELECT 1, 'b' || i, 2 * i FROM generate_series(1, 1000) AS i");
        AddPigeonNumberIndex(m_db);
        RenumberPigeons(m_db);
        exec(m_db, "VACUUM pigeons"); // as the server's own cleaning does between two starts
        exec(m_db, "DELETE FROM pigeons WHERE nr = 1");
        const QString pages = "SELECT band || '@' || (ctid::text::point)[0] FROM pigeons ORDER BY band";
        const QStringList before = rows(m_db, pages);
        RenumberPigeons(m_db);
        QCOMPARE(rows(m_db, pages), before);
        QCOMPARE(rows(m_db, "SELECT count(*) FROM pigeons WHERE nr = CAST(substr(band, 2) AS BIGINT) - 1"),
                 QStringList({"999"}));
    }

    void emptyTable()
    {
        RenumberPigeons(m_db);
        QCOMPARE(NextPigeonNr(m_db), 1);
    }

    void nextNumberFollowsTheHighest()
    {
        addPigeons({{"a", 7}, {"b", 3}});
        QCOMPARE(NextPigeonNr(m_db), 8);
        RenumberPigeons(m_db);
        QCOMPARE(NextPigeonNr(m_db), 3);
    }

    void nextNumberWhenNoPigeonHasOne()
    {
        addPigeons({{"a", QVariant()}});
        QCOMPARE(NextPigeonNr(m_db), 1);
    }
};

QTEST_GUILESS_MAIN(TestPigeonNumbering)
#include "tst_pigeonnumbering.moc"
