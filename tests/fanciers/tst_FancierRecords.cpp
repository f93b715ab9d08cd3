#include "FancierClub.h"
#include "support/DeliveredDatabase.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include "fanciers/ActiveFancierCursor.h"
#include "fanciers/FancierRecord.h"
#include "fanciers/FancierSearchQuery.h"
#include "fanciers/LicenceCheck.h"
#include "fanciers/SortKeySearch.h"
#include <QTest>
#include <memory>

using namespace durvek;
using namespace durvek::testing;

class FancierRecordsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FancierClub> club;

private slots:
    void init() { club = std::make_unique<FancierClub>(); }
    void cleanup() { club.reset(); }

    void sortKeyIsTheNameInCapitalsWithoutBlanks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::newRow("van den Berg") << QStringLiteral("Van den Berg") << QStringLiteral("VANDENBERG");
        QTest::newRow("blank") << QStringLiteral("   ") << QStringLiteral(" ");
        QTest::newRow("empty") << QString() << QStringLiteral(" ");
        QTest::newRow("accents") << QStringLiteral("\u00e9mile d\u00fcrr") << QStringLiteral("\u00c9MILED\u00dcRR");
        QTest::newRow("sharp s keeps its place") << QStringLiteral("Stra\u00dfe 1") << QStringLiteral("STRA\u00dfE1");
        QTest::newRow("tab is no blank") << QStringLiteral("a\tb") << QStringLiteral("A\tB");
    }

    void sortKeyIsTheNameInCapitalsWithoutBlanks()
    {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QCOMPARE(fancierSortKey(name), key);
    }

    void storingANewFancierCleansEveryText()
    {
        FancierRecord record;
        record.licence = QStringLiteral("1234567 ");
        record.name = QStringLiteral(" Van\n den Berg ");
        record.adress = QStringLiteral("Kerk\rstraat");
        record.email = QStringLiteral("\t");
        const int32_t id = storeFancier(club->db(), record);
        QVERIFY(id > 20);
        QCOMPARE(rows(club->db(), QStringLiteral("SELECT Licence, Name, sort, Adress, zip, city, district, "
                                                        "telephone, fax, email, Actief FROM fanciers WHERE id = %1")
                                             .arg(id)),
                 QStringList{QStringLiteral("1234567|Van den Berg|VANDENBERG|Kerk\rstraat| | | | | | |1")});
    }

    void storingAnExistingFancierChangesOnlyThatRowAndMakesItActive()
    {
        const QStringList others = rows(club->db(), QStringLiteral("SELECT * FROM fanciers WHERE id <> 3"));
        FancierRecord record = *readFancier(club->db(), 3);
        record.city = QStringLiteral("Brugge");
        QCOMPARE(storeFancier(club->db(), record), 3);
        QCOMPARE(rows(club->db(), QStringLiteral("SELECT city, Actief FROM fanciers WHERE id = 3")),
                 QStringList{"Brugge|1"});
        QCOMPARE(rows(club->db(), QStringLiteral("SELECT * FROM fanciers WHERE id <> 3")), others);
    }

    void storingAFancierThatIsGoneFails()
    {
        FancierRecord record;
        record.id = 99;
        record.licence = QStringLiteral("99999999");
        QVERIFY_THROWS_EXCEPTION(DatabaseError, storeFancier(club->db(), record));
        QCOMPARE(queryValue(club->db(), QStringLiteral("SELECT COUNT(*) FROM fanciers WHERE id = 99")).toInt(), 0);
    }

    void readingTrimsAndReadsNullAsEmpty()
    {
        runStatement(club->db(), QStringLiteral("UPDATE fanciers SET Name = '  Piet  ', fax = NULL, zip = '   ' "
                                                "WHERE id = 1"));
        const std::optional<FancierRecord> record = readFancier(club->db(), 1);
        QVERIFY(record);
        QCOMPARE(record->name, QStringLiteral("Piet"));
        QCOMPARE(record->fax, QString());
        QCOMPARE(record->zip, QString());
        QVERIFY(!readFancier(club->db(), 99));
    }

    void licenceFaults_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("fault");
        QTest::newRow("eight digits") << QStringLiteral("12345678") << int(LicenceFault::None);
        QTest::newRow("with minus") << QStringLiteral("12-45678") << int(LicenceFault::None);
        QTest::newRow("seven and a blank") << QStringLiteral("1234567 ") << int(LicenceFault::None);
        QTest::newRow("empty") << QString() << int(LicenceFault::WrongLength);
        QTest::newRow("seven") << QStringLiteral("1234567") << int(LicenceFault::WrongLength);
        QTest::newRow("nine") << QStringLiteral("123456789") << int(LicenceFault::WrongLength);
        QTest::newRow("letter") << QStringLiteral("1234567a") << int(LicenceFault::NotNumeric);
        QTest::newRow("acute accent") << QStringLiteral("1234567\u00b4") << int(LicenceFault::NotNumeric);
        QTest::newRow("inner blank") << QStringLiteral("1234 567") << int(LicenceFault::NotNumeric);
        QTest::newRow("eight blanks") << QString(8, u' ') << int(LicenceFault::NotNumeric);
    }

    void licenceFaults()
    {
        QFETCH(QString, typed);
        QFETCH(int, fault);
        QCOMPARE(int(licenceFault(typed)), fault);
    }

    void aLicenceMayBeStoredWhenFreeOrHeldByTheSameFancier()
    {
        QVERIFY(licenceFreeFor(club->db(), QStringLiteral("00000000"), 0));
        QVERIFY(licenceFreeFor(club->db(), QStringLiteral("12345678"), 1));
        QVERIFY(!licenceFreeFor(club->db(), QStringLiteral("12345678"), 2));
        QVERIFY(!licenceFreeFor(club->db(), QStringLiteral("12345678"), 0));
        // Held by an inactive fancier is held all the same.
        QVERIFY(!licenceFreeFor(club->db(), QStringLiteral("31245678"), 0));
        // Two holders, stored by another path: the first in id order decides.
        runStatement(club->db(), QStringLiteral("UPDATE fanciers SET Licence = '12345678' WHERE id = 17"));
        QVERIFY(licenceFreeFor(club->db(), QStringLiteral("12345678"), 1));
        QVERIFY(!licenceFreeFor(club->db(), QStringLiteral("12345678"), 17));
        QCOMPARE(licenceOwner(club->db(), QStringLiteral("12345678"))->id, 1);
        QVERIFY(!licenceOwner(club->db(), QStringLiteral("00000000")));
    }

    void sortKeySearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("id");
        QTest::newRow("inactive found too") << QStringLiteral("VAND") << 3;
        QTest::newRow("any case") << QStringLiteral("vand") << 3;
        QTest::newRow("first in sort order") << QStringLiteral("JAN") << 2;
        QTest::newRow("percent literal") << QStringLiteral("100%") << 5;
        QTest::newRow("percent no wildcard") << QStringLiteral("1%") << 0;
        QTest::newRow("underscore no wildcard") << QStringLiteral("J_N") << 0;
        QTest::newRow("backslash") << QStringLiteral("\\") << 0;
        QTest::newRow("apostrophe") << QStringLiteral("O'") << 20;
        QTest::newRow("nothing") << QStringLiteral("ZZ") << 0;
    }

    void sortKeySearch()
    {
        QFETCH(QString, text);
        QFETCH(int, id);
        QCOMPARE(FindFancierBySortKey(club->db(), text), id);
    }

    // Only ASCII letters are folded, on either engine and whatever the
    // server's locale: other letters are found as they are spelt.
    void nameSearchFoldsAsciiLettersOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("found");
        QTest::newRow("as spelt") << QStringLiteral("\u00D6zil") << true;
        QTest::newRow("ASCII letters in capitals") << QStringLiteral("\u00D6ZIL") << true;
        QTest::newRow("other letter in small") << QStringLiteral("\u00F6zil") << false;
    }

    void nameSearchFoldsAsciiLettersOnly()
    {
        QFETCH(QString, text);
        QFETCH(bool, found);
        FancierRecord record;
        record.licence = QStringLiteral("77777777");
        record.name = QStringLiteral("\u00D6zil \u00DCnal");
        const int32_t id = storeFancier(club->db(), record);
        QSqlQuery query = queryFanciers(club->db(), FancierSearchMode::ByName, text);
        QCOMPARE(query.next() && query.value(0).toInt() == id, found);
    }

    void cursorWalksTheActiveFanciersAndHoldsAtTheEnds()
    {
        ActiveFancierCursor cursor;
        cursor.open(club->db(), 0);
        QCOMPARE(cursor.size(), 5);
        QCOMPARE(cursor.currentId(), 5);
        QVERIFY(cursor.movePrevious());
        QCOMPARE(cursor.currentId(), 5);
        QVERIFY(!cursor.moveNext());
        QCOMPARE(cursor.currentId(), 2);
        cursor.open(club->db(), 20);
        QCOMPARE(cursor.currentId(), 20);
        QVERIFY(!cursor.moveNext());
        QCOMPARE(cursor.currentId(), 17);
        QVERIFY(cursor.moveNext());
        QCOMPARE(cursor.currentId(), 17);
        cursor.open(club->db(), 3);
        QCOMPARE(cursor.currentId(), 5);
    }

    void cursorOverNoActiveFancier()
    {
        runStatement(club->db(), QStringLiteral("UPDATE fanciers SET Actief = 0"));
        ActiveFancierCursor cursor;
        cursor.open(club->db(), 1);
        QVERIFY(cursor.isEmpty());
        QCOMPARE(cursor.currentId(), 0);
        QVERIFY(cursor.moveNext());
        QVERIFY(cursor.movePrevious());
        QCOMPARE(cursor.currentId(), 0);
    }
};

QTEST_MAIN(FancierRecordsTest)
#include "tst_FancierRecords.moc"
