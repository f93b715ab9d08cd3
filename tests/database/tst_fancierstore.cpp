// Deleting a fancier together with the fancier's pigeons and combine places.
#include "support/DeliveredDatabase.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "database/FancierRevision.h"
#include "database/FancierStore.h"
#include "database/SchemaUpgrade.h"
#include "database/SqlUtil.h"
#include <QTemporaryDir>
#include <QtTest>

using namespace durvek;
using testing::exec;
using testing::rows;

class TestFancierStore : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QSqlDatabase m_db;

    int count(const QString& sql) { return queryValue(m_db, sql).toInt(); }

private slots:
    void init()
    {
        m_db = testing::openDeliveredDatabase(m_dir.path());
        TextCatalogue::setConnectionName(ClubDatabase::kConnectionName);
        TextCatalogue::invalidate();
        upgradeSchema(m_db);
        exec(m_db, "INSERT INTO fanciers (id, Licence, Name) VALUES (1, '11111111', 'Jan'), (2, '22222222', 'Piet')");
        exec(m_db, "INSERT INTO pigeons (Fancier, band, nr) VALUES (1, 'a', 1), (1, 'b', 2), (2, 'c', 3)");
    }

    void cleanup()
    {
        m_db = QSqlDatabase();
        ClubDatabase::close();
    }

    void asksWithTheCatalogueTexts()
    {
        exec(m_db, "UPDATE PcLanguage SET other = 'Liefhebber en duiven wissen' WHERE id = 69");
        exec(m_db, "UPDATE PcLanguage SET other = 'Liefhebber' WHERE id = 1");
        TextCatalogue::invalidate();
        QString message;
        QString title;
        DeleteFancier(m_db, 1, 0, [&](const QString& m, const QString& t) {
            message = m;
            title = t;
            return false;
        });
        QCOMPARE(message, QString("Liefhebber en duiven wissen ?"));
        QCOMPARE(title, QString("Liefhebber"));
    }

    void noKeepsEverything()
    {
        QVERIFY(!DeleteFancier(m_db, 1, 0, [](const QString&, const QString&) { return false; }));
        QCOMPARE(count("SELECT count(*) FROM fanciers"), 2);
        QCOMPARE(count("SELECT count(*) FROM pigeons"), 3);
    }

    void yesDeletesTheFancierTheirPigeonsAndCombinePlaces()
    {
        exec(m_db, "INSERT INTO combine (id, Naam, L1, L2, L3) VALUES (1, 'A', 1, 2, 0), (2, 'B', 2, 0, 1), "
                   "(3, 'C', 2, 2, 2)");
        QVERIFY(DeleteFancier(m_db, 1, 0, [](const QString&, const QString&) { return true; }));
        QCOMPARE(rows(m_db, "SELECT id FROM fanciers"), QStringList({"2"}));
        QCOMPARE(rows(m_db, "SELECT band FROM pigeons"), QStringList({"c"}));
        QCOMPARE(rows(m_db, "SELECT L1, L2, L3 FROM combine ORDER BY id"),
                 QStringList({"0|2|0", "2|0|0", "2|2|2"}));
    }

    void unknownFancierChangesNothing()
    {
        QVERIFY_THROWS_EXCEPTION(FancierChangedElsewhere, deleteFancierAndPigeons(m_db, 99, 0));
        QCOMPARE(count("SELECT count(*) FROM fanciers"), 2);
        QCOMPARE(count("SELECT count(*) FROM pigeons"), 3);
    }

    // When the fancier cannot be deleted, the pigeons and places must not be gone either.
    void failedFancierDeleteKeepsThePigeons()
    {
        exec(m_db, "INSERT INTO combine (id, Naam, L1, L2, L3) VALUES (1, 'A', 2, 1, 0)");
        testing::addRefusingTrigger(m_db, "keep_fanciers", "BEFORE", "DELETE", "fanciers", "1 = 1",
                                    "fancier is locked");
        try {
            DeleteFancier(m_db, 1, 0, [](const QString&, const QString&) { return true; });
            QFAIL("the failed delete was reported as done");
        } catch (const DatabaseError& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(QLatin1String("fancier is locked")), e.what());
        }
        QCOMPARE(count("SELECT count(*) FROM fanciers"), 2);
        QCOMPARE(rows(m_db, "SELECT band FROM pigeons ORDER BY band"), QStringList({"a", "b", "c"}));
        QCOMPARE(rows(m_db, "SELECT L1, L2, L3 FROM combine"), QStringList({"2|1|0"}));
        // The connection is usable afterwards (no transaction left open).
        QVERIFY(m_db.transaction());
        QVERIFY(m_db.rollback());
    }
};

QTEST_GUILESS_MAIN(TestFancierStore)
#include "tst_fancierstore.moc"
