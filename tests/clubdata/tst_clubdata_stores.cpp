// What the club data window stores: fanciers, pigeons typed into its grid,
// badges and combines, on a delivered database.
#include "ClubDataDatabase.h"
#include "clubdata/BadgeStore.h"
#include "clubdata/ClubFancierStore.h"
#include "clubdata/ClubPigeonStore.h"
#include "clubdata/CombineStore.h"
#include <QSqlQuery>
#include <QTest>

using namespace durvek;
using namespace durvek::test;

class TestClubDataStores : public QObject {
    Q_OBJECT

private slots:
    void newFancierGetsItsSortKey();
    void savingUpdatesTheSameRow();
    void savingAVanishedFancierAddsIt();
    void searchByNamePrefix();
    void chippedPigeonsAreCounted();
    void pigeonsTypedIntoTheGrid();
    void identicalPigeonsAreEditedOneByOne();
    void badgesByNameAndCutToTheirWidth();
    void combineNames();
    void combineIdsFollowTheHighest();
    void combineMembersUpToThree();
    void memberNamesSkipGoneFanciers();
};

void TestClubDataStores::newFancierGetsItsSortKey()
{
    ClubDataDatabase d;
    ClubFancierStore store(d.db);
    qint64 revision = 0;
    const int32_t id = store.save({0, QStringLiteral("Van den Berg"), QString(), QStringLiteral(" Main St 1 "),
                                   QStringLiteral("12345678")},
                                  revision);
    QVERIFY(id > 0);
    QCOMPARE(d.rows(QStringLiteral("SELECT Name, Adress, city, Licence, sort, Actief FROM fanciers")),
             QStringList({"Van den Berg| |Main St 1|12345678|VANDENBERG|1"}));
    QCOMPARE(store.idsInSortOrder(), QList<int32_t>({id}));
}

void TestClubDataStores::savingUpdatesTheSameRow()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    const int32_t b = d.addFancier("Brown", "BROWN");
    ClubFancierStore store(d.db);
    QCOMPARE(store.idsInSortOrder(), QList<int32_t>({a, b}));

    qint64 revision = 0;
    QCOMPARE(store.save({a, QStringLiteral("Zeller"), QStringLiteral("Road 2"), QStringLiteral("Town"),
                         QStringLiteral("99")},
                        revision),
             a);
    QCOMPARE(d.value(QStringLiteral("SELECT count(*) FROM fanciers")).toInt(), 2);
    const auto f = store.fancier(a);
    QVERIFY(f);
    QCOMPARE(f->name, QStringLiteral("Zeller"));
    QCOMPARE(f->adress, QStringLiteral("Road 2"));
    QCOMPARE(f->city, QStringLiteral("Town"));
    QCOMPARE(f->licence, QStringLiteral("99"));
    // the new name moves the fancier in the sort order
    QCOMPARE(store.idsInSortOrder(), QList<int32_t>({b, a}));
    QVERIFY(!store.fancier(a + b + 1));
}

void TestClubDataStores::savingAVanishedFancierAddsIt()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    ClubFancierStore store(d.db);
    d.db.exec(QStringLiteral("DELETE FROM fanciers"));
    qint64 revision = 0;
    const int32_t again = store.save({a, QStringLiteral("Adams"), {}, {}, {}}, revision);
    QVERIFY(again != 0);
    QCOMPARE(d.rows(QStringLiteral("SELECT Name FROM fanciers")), QStringList({"Adams"}));
}

void TestClubDataStores::searchByNamePrefix()
{
    ClubDataDatabase d;
    const int32_t jansen = d.addFancier("Jansen", "JANSEN");
    d.addFancier("Jan", "JAN");
    const int32_t percent = d.addFancier("100% Loft", "100%LOFT");
    d.addFancier("1000 Loft", "1000LOFT");
    d.addFancier("O´Brien", "O´BRIEN");
    ClubFancierStore store(d.db);
    // the first in sort order, letter case ignored
    QCOMPARE(store.findByNamePrefix(QStringLiteral("jan")), d.value("SELECT id FROM fanciers WHERE Name = 'Jan'"));
    QCOMPARE(store.findByNamePrefix(QStringLiteral("jans")), jansen);
    // wildcards are plain characters
    QCOMPARE(store.findByNamePrefix(QStringLiteral("100%")), percent);
    QCOMPARE(store.findByNamePrefix(QStringLiteral("_an")), 0);
    QCOMPARE(store.findByNamePrefix(QStringLiteral("O'B")), 0);
    QCOMPARE(store.findByNamePrefix(QStringLiteral("nobody")), 0);
}

void TestClubDataStores::chippedPigeonsAreCounted()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    const int32_t b = d.addFancier("Brown", "BROWN");
    d.addPigeon(a, "NL", "21", "0000000001", " ", "0A1B2C3D");
    d.addPigeon(a, "NL", "21", "0000000002", " ", "");
    d.addPigeon(a, "NL", "21", "0000000003", " ", QVariant());
    d.addPigeon(a, "NL", "21", "0000000004", "F", "11111111");
    d.addPigeon(b, "NL", "21", "0000000005", " ", "22222222");
    ClubFancierStore store(d.db);
    QCOMPARE(store.chippedPigeonCount(a), 2);
    QCOMPARE(store.chippedPigeonCount(b), 1);
    QCOMPARE(store.chippedPigeonCount(0), 0);
}

void TestClubDataStores::pigeonsTypedIntoTheGrid()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    d.addPigeon(a, "NL", "21", "0000000001", " ", "0A1B2C3D");
    ClubPigeonStore store(d.db);

    qint64 revision = 0;
    const StoredRow added = store.addPigeon(a, revision, PigeonColumn::Band, QStringLiteral("0000000002"));
    QStringList shown;
    for (const QVariant& value : added.values)
        shown << (value.isNull() ? QStringLiteral("<null>") : value.toString());
    QCOMPARE(shown, QStringList({QString::number(a), "<null>", "<null>", "0000000002", "<null>", "<null>"}));
    store.setValue(a, revision, added.rowid, PigeonColumn::Country, QStringLiteral("BE"));
    store.setValue(a, revision, added.rowid, PigeonColumn::Sex, QStringLiteral("F"));
    QCOMPARE(d.rows(QStringLiteral("SELECT Fancier, Nr, country, band, sex, \"delete\" FROM pigeons ORDER BY rowid")),
             QStringList({QStringLiteral("%1|1|NL|0000000001| |0").arg(a),
                          QStringLiteral("%1|2|BE|0000000002|F|0").arg(a)}));
    const QList<StoredRow> rows = store.pigeonsOf(a);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1].rowid, added.rowid);
    QCOMPARE(rows[0].values[int(PigeonColumn::Elcode)].toString(), QStringLiteral("0A1B2C3D"));
    QVERIFY(store.pigeonsOf(a + 1).isEmpty());
}

void TestClubDataStores::identicalPigeonsAreEditedOneByOne()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    d.addPigeon(a, QVariant(), QVariant(), QVariant(), QVariant(), QVariant());
    d.addPigeon(a, QVariant(), QVariant(), QVariant(), QVariant(), QVariant());
    ClubPigeonStore store(d.db);
    const QList<StoredRow> rows = store.pigeonsOf(a);
    qint64 revision = 0;
    store.setValue(a, revision, rows[1].rowid, PigeonColumn::Year, QStringLiteral("22"));
    QCOMPARE(d.rows(QStringLiteral("SELECT Year FROM pigeons ORDER BY rowid")), QStringList({"<null>", "22"}));
}

void TestClubDataStores::badgesByNameAndCutToTheirWidth()
{
    ClubDataDatabase d;
    d.setBadges({"Silver", "Gold", "", "Bronze", "Iron"});
    BadgeStore store(d.db);
    QList<StoredRow> rows = store.badges();
    QStringList shown;
    for (const StoredRow& row : rows)
        shown << row.values[0].toString() + u':' + row.values[1].toString();
    QCOMPARE(shown, QStringList({"3:", "4:Bronze", "2:Gold", "5:Iron", "1:Silver"}));
    store.rename(rows[0].rowid, QStringLiteral("Platinum Plus"));
    QCOMPARE(d.value(QStringLiteral("SELECT Badge FROM badges WHERE id = 3")).toString(), QStringLiteral("Platinum P"));
    QCOMPARE(d.value(QStringLiteral("SELECT count(*) FROM badges")).toInt(), 5);
}

void TestClubDataStores::combineNames()
{
    QCOMPARE(storedCombineName(QStringLiteral("Club A"), 4), QStringLiteral("Club A") + QString(14, u' '));
    QCOMPARE(storedCombineName(QStringLiteral("  Club A  "), 4).size(), 20);
    QCOMPARE(storedCombineName(QStringLiteral("A name that is far too long"), 4),
             QStringLiteral("A name that is far t"));
    QCOMPARE(storedCombineName(QString(), 7), QStringLiteral("Combine  7"));
    QCOMPARE(storedCombineName(QStringLiteral("   "), 7), QStringLiteral("Combine  7"));
}

void TestClubDataStores::combineIdsFollowTheHighest()
{
    ClubDataDatabase d;
    CombineStore store(d.db);
    QCOMPARE(store.addCombine(QStringLiteral("Club A")), 1);
    d.addCombine(9, "Old", 0, 0, 0);
    QCOMPARE(store.addCombine(QString()), 10);
    QCOMPARE(d.rows(QStringLiteral("SELECT id, Naam, L1, L2, L3 FROM combine ORDER BY id")),
             QStringList({"1|Club A              |0|0|0", "9|Old|0|0|0", "10|Combine  10|0|0|0"}));
    const QList<StoredRow> rows = store.combines();
    QCOMPARE(rows.size(), 3);
    store.rename(rows[1].rowid, QStringLiteral(" New "));
    store.remove(rows[0].rowid);
    QCOMPARE(d.rows(QStringLiteral("SELECT id, Naam FROM combine ORDER BY id")),
             QStringList({"9|New                 ", "10|Combine  10"}));
}

void TestClubDataStores::combineMembersUpToThree()
{
    ClubDataDatabase d;
    QStringList f;
    for (const char* name : {"A", "B", "C", "D", "E"})
        f << QString::number(d.addFancier(name, name));
    d.addCombine(1, "Club A", 0, 0, 0);
    CombineStore store(d.db);
    const qint64 row = store.combines().first().rowid;
    QCOMPARE(store.addMember(row, f[0].toInt()), AddMemberResult::Added);
    QCOMPARE(store.addMember(row, f[0].toInt()), AddMemberResult::AlreadyMember);
    QCOMPARE(store.addMember(row, f[1].toInt()), AddMemberResult::Added);
    QCOMPARE(store.addMember(row, f[2].toInt()), AddMemberResult::Added);
    QCOMPARE(store.addMember(row, f[3].toInt()), AddMemberResult::Full);
    QCOMPARE(d.rows(QStringLiteral("SELECT L1, L2, L3 FROM combine")), QStringList({f.mid(0, 3).join(u'|')}));
    QCOMPARE(store.addMember(row + 100, f[3].toInt()), AddMemberResult::NoSuchCombine);

    // an empty place is filled first; null counts as empty, and so does a
    // place whose fancier is gone
    d.addCombine(2, "Club B", f[4].toInt() + 1, 0, f[2].toInt());
    d.db.exec(QStringLiteral("UPDATE combine SET L2 = NULL WHERE id = 2"));
    const qint64 second = store.combines().last().rowid;
    QCOMPARE(store.addMember(second, f[3].toInt()), AddMemberResult::Added);
    QCOMPARE(store.addMember(second, f[4].toInt()), AddMemberResult::Added);
    QCOMPARE(d.rows(QStringLiteral("SELECT L1, L2, L3 FROM combine WHERE id = 2")),
             QStringList({QStringList({f[3], f[4], f[2]}).join(u'|')}));
}

void TestClubDataStores::memberNamesSkipGoneFanciers()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    const int32_t b = d.addFancier("", "");
    const int32_t c = d.addFancier("Clark", "CLARK");
    d.addCombine(1, "Club A", c, a + b + c, a);
    d.addCombine(2, "Club B", b, 0, 0);
    CombineStore store(d.db);
    const QList<StoredRow> rows = store.combines();
    QCOMPARE(store.memberNames(*store.combine(rows[0].rowid)), QStringList({"Clark", "Adams"}));
    QCOMPARE(store.memberNames(*store.combine(rows[1].rowid)), QStringList({" "}));
    QVERIFY(!store.combine(rows[1].rowid + 100));
}

QTEST_GUILESS_MAIN(TestClubDataStores)
#include "tst_clubdata_stores.moc"
