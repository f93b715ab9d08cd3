// Storing the grid as the fancier's pigeon list (backup, one transaction,
// the values a row stores), loading it back, and the header lines.
#include "GridFixture.h"
#include "LinkingDatabase.h"
#include "database/ClubDatabase.h"
#include "linking/LinkingStore.h"
#include "linking/PigeonGridLoad.h"
#include "linking/SaveLinking.h"
#include "support/DeliveredDatabase.h"
#include "support/ScriptedHost.h"
#include <QTest>
#include <memory>

using namespace durvek;
using namespace durvek::test;
using namespace durvek::testing;

namespace {

QString texts(int number)
{
    return number == 68 ? QStringLiteral("W") : QStringLiteral("T%1").arg(number);
}

} // namespace

class LinkingStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LinkingDatabase> data;
    std::unique_ptr<EditBench> bench;

    QSqlDatabase db() const { return data->db(); }

private slots:
    void init()
    {
        data = std::make_unique<LinkingDatabase>();
        bench = std::make_unique<EditBench>();
    }
    void cleanup()
    {
        bench.reset();
        data.reset();
    }

    void rowValues_data()
    {
        QTest::addColumn<QString>("row");   // country|year|band|colour|sex|elcode|del
        QTest::addColumn<QString>("stored"); // country|year|band|color|sex|elcode, or "-"
        QTest::newRow("complete") << "BE|05|0123456789|BLAU|W|0A1B2C3D|" << "BE|05|0123456789|BLAU|F|0A1B2C3D";
        QTest::newRow("right-aligned band") << "BE|05|     12345|||0A1B2C3D|" << "BE|05|     12345|    | |0A1B2C3D";
        QTest::newRow("band with trailing spaces") << "BE|05|12345     |||0A1B2C3D|" << "BE|05|0000012345|    | |0A1B2C3D";
        QTest::newRow("defaults") << "||0000000001|| |0A1B2C3D|" << "  |00|0000000001|    | |0A1B2C3D";
        QTest::newRow("blank chip code") << "BE|05|0000000001|||        |" << "BE|05|0000000001|    | |12345678";
        QTest::newRow("values trimmed") << " BE| 5|0000000001|BL  ||0A1B2C3D|" << "BE|5|0000000001|BL| |0A1B2C3D";
        QTest::newRow("marked for deletion") << "BE|05|0123456789|||0A1B2C3D|X" << "-";
        QTest::newRow("band of nine") << "BE|05|123456789|||0A1B2C3D|" << "-";
        QTest::newRow("chip code of seven") << "BE|05|0123456789|||0A1B2C3|" << "-";
        QTest::newRow("chip code of ten") << "BE|05|0123456789|||0A1B2C3D4E|" << "-";
        QTest::newRow("no chip code") << "BE|05|0123456789||||" << "-";
    }
    void rowValues()
    {
        QFETCH(QString, row);
        QFETCH(QString, stored);
        bench->setRows({row});
        const std::optional<StoredPigeon> p = pigeonOfRow(bench->grid, 1);
        if (stored == "-") {
            QVERIFY(!p);
            return;
        }
        QVERIFY(p);
        QCOMPARE(QStringList({p->country, p->year, p->band, p->color, p->sex, p->elcode}).join(u'|'), stored);
        QCOMPARE(p->fullBand(), p->country + p->year + p->band);
        // The empty row that ends the grid is never a pigeon.
        QVERIFY(!pigeonOfRow(bench->grid, 2));
    }

    void storingReplacesTheFanciersPigeonsAndKeepsThemInTheBackup()
    {
        const int32_t a = data->addFancier("11111111", "A");
        qint64 revision = 0;
        const int32_t b = data->addFancier("22222222", "B");
        data->addPigeon(a, {"BE", "20", "0000000001", "F", "BLAU", "AAAAAAAA", 7});
        data->addPigeon(a, {"BE", "20", "0000000002", " ", "ROOD", "BBBBBBBB", 3, true});
        data->addPigeon(b, {"NL", "21", "0000000009", " ", "", "CCCCCCCC", 12});
        exec(db(), "INSERT INTO backup (Fancier, band) VALUES (99, 'former')");

        bench->setRows({"BE|05|0123456789|GRIZ|W|0A1B2C3D|", "BE|05|0123456790|||0A1B2C3E|X", "BE|05|     12345|||11111111|"});
        storeFancierPigeons(db(), a, revision, pigeonsOfGrid(bench->grid));

        QCOMPARE(data->pigeonsOf(a), QStringList({"BE|05|0123456789|GRIZ|F|0A1B2C3D|00|BE050123456789|0",
                                                  "BE|05|     12345|    | |11111111|00|BE05     12345|0"}));
        QCOMPARE(data->numbersOf(a), QList<int>({13, 14}));
        QCOMPARE(data->pigeonsOf(b), QStringList({"NL|21|0000000009|| |CCCCCCCC|<null>|<null>|0"}));
        // The backup holds the fancier's former pigeons, deleted ones too, and nothing else.
        QCOMPARE(data->backupRows(), QStringList({"BE|20|0000000002|ROOD| |BBBBBBBB|<null>|<null>|1",
                                                  "BE|20|0000000001|BLAU|F|AAAAAAAA|<null>|<null>|0"}));
    }

    void aGridWithoutChipCodesLeavesTheFancierWithoutPigeons()
    {
        const int32_t a = data->addFancier("11111111", "A");
        qint64 revision = 0;
        data->addPigeon(a, {"BE", "20", "0000000001", "F", "BLAU", "AAAAAAAA", 1});
        bench->setRows({"BE|05|0123456789||||", "BE|05|0123456790||||"});
        storeFancierPigeons(db(), a, revision, pigeonsOfGrid(bench->grid));
        QVERIFY(data->pigeonsOf(a).isEmpty());
        QCOMPARE(data->backupRows().size(), 1);

        LoadPigeonGrid(bench->grid, db(), a, false, &texts);
        QCOMPARE(bench->grid.rowCount(), 2);
        QCOMPARE(bench->grid.cellText(1, 0), QStringLiteral("1"));
    }

    void aFailingInsertLosesNothing()
    {
        const int32_t a = data->addFancier("11111111", "A");
        qint64 revision = 0;
        data->addPigeon(a, {"BE", "20", "0000000001", "F", "BLAU", "AAAAAAAA", 1});
        data->addPigeon(a, {"BE", "20", "0000000002", " ", "ROOD", "BBBBBBBB", 2});
        exec(db(), "INSERT INTO backup (Fancier, band) VALUES (99, 'former')");
        addRefusingTrigger(db(), "refuse", "BEFORE", "INSERT", "pigeons", "NEW.band = '0000000666'", "disk full");
        const QStringList before = data->pigeonsOf(a);
        const QStringList backupBefore = data->backupRows();

        bench->setRows({"BE|05|0000000665|||0A1B2C3D|", "BE|05|0000000666|||0A1B2C3E|"});
        bool refused = false;
        try {
            storeFancierPigeons(db(), a, revision, pigeonsOfGrid(bench->grid));
        } catch (const DatabaseError& error) {
            refused = QString::fromUtf8(error.what()).contains("disk full");
        }
        QVERIFY(refused);
        QCOMPARE(data->pigeonsOf(a), before);
        QCOMPARE(data->backupRows(), backupBefore);
        // The connection is usable again afterwards.
        dropTrigger(db(), "refuse", "pigeons");
        storeFancierPigeons(db(), a, revision, pigeonsOfGrid(bench->grid));
        QCOMPARE(data->pigeonsOf(a).size(), 2);
    }

    void restoringThePreviousListSwapsItWithTheStoredOne()
    {
        const int32_t a = data->addFancier("11111111", "A");
        qint64 revision = 0;
        qint64 other = 0;
        const int32_t b = data->addFancier("22222222", "B");
        data->addPigeon(a, {"BE", "20", "0000000001", "F", "BLAU", "AAAAAAAA", 1});
        data->addPigeon(a, {"BE", "20", "0000000002", " ", "ROOD", "BBBBBBBB", 2, true});
        data->addPigeon(b, {"NL", "21", "0000000009", " ", "", "CCCCCCCC", 3});
        const QStringList former = data->pigeonsOf(a);
        QVERIFY(!backupHoldsListOf(db(), a));
        QCOMPARE(restorePreviousList(db(), a, revision), 0);

        bench->setRows({"BE|05|0123456789|GRIZ|W|0A1B2C3D|"});
        storeFancierPigeons(db(), a, revision, pigeonsOfGrid(bench->grid));
        const QStringList stored = data->pigeonsOf(a);
        QVERIFY(backupHoldsListOf(db(), a));
        QVERIFY(!backupHoldsListOf(db(), b));
        QCOMPARE(restorePreviousList(db(), b, other), 0);

        QCOMPARE(restorePreviousList(db(), a, revision), 2);
        QCOMPARE(data->pigeonsOf(a), former);
        QCOMPARE(data->numbersOf(a), QList<int>({4, 5}));
        QCOMPARE(data->backupRows(), stored);
        // Once more swaps back.
        QCOMPARE(restorePreviousList(db(), a, revision), 1);
        QCOMPARE(data->pigeonsOf(a), stored);
        QCOMPARE(data->backupRows().size(), 2);
        QCOMPARE(data->pigeonsOf(b).size(), 1);

        // A restore the engine refuses halfway leaves both lists as they were.
        addRefusingTrigger(db(), "refuse", "BEFORE", "INSERT", "pigeons", "NEW.band = '0000000002'", "disk full");
        const QStringList backupBefore = data->backupRows();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, restorePreviousList(db(), a, revision));
        QCOMPARE(data->pigeonsOf(a), stored);
        QCOMPARE(data->backupRows(), backupBefore);
    }

    void saveLinkingAsksBeforePrinting()
    {
        const int32_t a = data->addFancier("11111111", "A");
        qint64 revision = 0;
        bench->setRows({"BE|05|0000000665|||0A1B2C3D|"});
        ScriptedHost host;
        int printed = 0;
        auto print = [&printed] { ++printed; };

        QCOMPARE(SaveLinking(db(), a, revision, bench->grid, false, host, &texts, print), 1);
        QVERIFY(host.questions.isEmpty());
        host.answer = false;
        SaveLinking(db(), a, revision, bench->grid, true, host, &texts, print);
        QCOMPARE(host.questions, QStringList({"T61|T60 ?"}));
        QCOMPARE(printed, 0);
        host.answer = true;
        SaveLinking(db(), a, revision, bench->grid, true, host, &texts, print);
        QCOMPARE(printed, 1);
        QCOMPARE(data->pigeonsOf(a).size(), 1);

        // A refused store asks nothing and prints nothing.
        addRefusingTrigger(db(), "refuse", "BEFORE", "INSERT", "pigeons", "true", "no");
        host.questions.clear();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, SaveLinking(db(), a, revision, bench->grid, true, host, &texts, print));
        QVERIFY(host.questions.isEmpty());
        QCOMPARE(printed, 1);
    }

    void loadingShowsThePigeonsNotMarkedDeleted()
    {
        const int32_t a = data->addFancier("11111111", "A");
        data->addPigeon(a, {"NL", "21", "12345", "F", "BLAU", "AAAAAAAA", 3});
        data->addPigeon(a, {"BE", "20", "ABCDEFGHIJKL", "f", "", "BBBBBBBB", 1});
        data->addPigeon(a, {"BE", "19", "0000000007", " ", " ROOD ", "", 2});
        data->addPigeon(a, {"BE", "18", "0000000001", " ", "", "DDDDDDDD", 4, true});
        data->addPigeon(data->addFancier("2", "B"), {"BE", "18", "0000000002", " ", "", "EEEEEEEE", 5});

        QCOMPARE(LoadPigeonGrid(bench->grid, db(), a, false, &texts), 3);
        QCOMPARE(bench->grid.rowCount(), 5);
        QCOMPARE(bench->row(1), QStringLiteral("BE|20|CDEFGHIJKL|||BBBBBBBB|"));
        QCOMPARE(bench->row(2), QStringLiteral("BE|19|0000000007|ROOD|||"));
        QCOMPARE(bench->row(3), QStringLiteral("NL|21|     12345|BLAU|W|AAAAAAAA|"));
        QCOMPARE(bench->row(4), QStringLiteral("||||||"));
        QCOMPARE(bench->grid.cellText(4, 0), QStringLiteral("4"));
        QCOMPARE(bench->grid.cellText(0, 3), QStringLiteral("T37"));
        QCOMPARE(bench->grid.currentRow(), 3);

        // By year, country and band.
        LoadPigeonGrid(bench->grid, db(), a, true, &texts);
        QCOMPARE(bench->grid.cellText(1, 3), QStringLiteral("0000000007"));
        QCOMPARE(bench->grid.cellText(2, 3), QStringLiteral("CDEFGHIJKL"));
        QCOMPARE(bench->grid.cellText(3, 3), QStringLiteral("     12345"));
    }

    // A pigeon without a year comes first and equal numbers keep their stored
    // order, on either engine (the server by itself sorts nulls last).
    void theListPutsBlanksFirstAndKeepsTies()
    {
        const int32_t a = data->addFancier("11111111", "A");
        data->addPigeon(a, {"BE", "20", "0000000003", " ", "", "CCCCCCCC", 2});
        data->addPigeon(a, {"BE", QString(), "0000000001", " ", "", "AAAAAAAA", 2});
        data->addPigeon(a, {"BE", "20", "0000000002", " ", "", "BBBBBBBB", 1});
        const auto bands = [this] {
            return QStringList {bench->grid.cellText(1, 3), bench->grid.cellText(2, 3), bench->grid.cellText(3, 3)};
        };
        LoadPigeonGrid(bench->grid, db(), a, false, &texts);
        QCOMPARE(bands(), (QStringList {"0000000002", "0000000003", "0000000001"}));
        LoadPigeonGrid(bench->grid, db(), a, true, &texts);
        QCOMPARE(bands(), (QStringList {"0000000001", "0000000002", "0000000003"}));
    }

    void aLoadedShortBandIsStoredBackWithItsSpaces()
    {
        const int32_t a = data->addFancier("11111111", "A");
        qint64 revision = 0;
        data->addPigeon(a, {"BE", "05", "12345", "F", "", "0A1B2C3D", 1});
        LoadPigeonGrid(bench->grid, db(), a, false, &texts);
        storeFancierPigeons(db(), a, revision, pigeonsOfGrid(bench->grid));
        QCOMPARE(data->pigeonsOf(a), QStringList({"BE|05|     12345|    |F|0A1B2C3D|00|BE05     12345|0"}));
    }

    void loadingAFancierWithoutPigeonsLeavesOneEmptyRow()
    {
        const int32_t a = data->addFancier("11111111", "A");
        data->addPigeon(a, {"BE", "18", "0000000001", " ", "", "DDDDDDDD", 4, true});
        bench->setRows({"X|Y|Z"});
        QCOMPARE(LoadPigeonGrid(bench->grid, db(), a, false, &texts), 0);
        QCOMPARE(bench->grid.rowCount(), 2);
        QCOMPARE(bench->row(1), QStringLiteral("||||||"));
        QCOMPARE(bench->grid.cellText(1, 0), QStringLiteral("1"));
    }

    void headerLines()
    {
        const int32_t full = data->addFancier("12345678", " Jan Peeters ", "Dorp 1", "9000", "Gent", "Oost");
        const int32_t bare = data->addFancier("", "");
        QCOMPARE(*fancierHeaderLines(db(), full),
                 QStringList({"Name : Jan Peeters  - Licence : 12345678", "Adress : Dorp 1",
                              "Zip : 9000  - City : Gent  - District : Oost"}));
        QCOMPARE(*fancierHeaderLines(db(), bare),
                 QStringList({"Name :   - Licence : ", "Adress :               ",
                              "Zip :         - City :        - District : "}));
        QVERIFY(!fancierHeaderLines(db(), 999));
        // In the club's language: the catalogue's captions of the fields.
        QCOMPARE(*fancierHeaderLines(db(), full, [](int number) { return QStringLiteral("<%1>").arg(number); }),
                 QStringList({"<9> : Jan Peeters  - <8> : 12345678", "<10> : Dorp 1",
                              "<11> : 9000  - <16> : Gent  - <12> : Oost"}));
    }
};

QTEST_GUILESS_MAIN(LinkingStoreTest)
#include "tst_linking_store.moc"
