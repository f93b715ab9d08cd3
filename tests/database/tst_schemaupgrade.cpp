// The start-up upgrade of the club database: fields, tables and fixed rows.
#include "support/DeliveredDatabase.h"
#include "support/OtherPc.h"
#include "database/CatalogueSnapshot.h"
#include "database/CatalogueUpgrade.h"
#include "database/ClubDatabase.h"
#include "database/SchemaUpgrade.h"
#include "database/ServerLayout.h"
#include "database/SettingsStore.h"
#include "database/ShippedTranslations.h"
#include "database/SqlUtil.h"
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <barrier>
#include <thread>

using namespace durvek;
using testing::exec;
using testing::rows;

namespace {

// Lower case: the server folds the names the upgrade gives.
QStringList columns(const QSqlDatabase& db, const QString& table)
{
    QStringList names = columnNames(db, table);
    for (QString& name : names)
        name = name.toLower();
    return names;
}

int count(const QSqlDatabase& db, const QString& sql)
{
    return queryValue(db, sql).toInt();
}

QString translation(const QSqlDatabase& db, int number)
{
    return queryValue(db, QStringLiteral("SELECT other FROM PcLanguage WHERE id = ?"), {number}).toString();
}

// A club's old file with some data in every table the upgrade touches.
void addClubData(const QSqlDatabase& db)
{
    exec(db, "INSERT INTO fanciers (Licence, Name, sort, Actief, KXX, KYY) "
             "VALUES ('01234567', 'Jan Peeters', 'PEETERSJAN', 1, 4.5, 51.2)");
    exec(db, "INSERT INTO pigeons (Fancier, country, Year, band, sex, elcode, \"delete\") VALUES "
             "(1, 'BE', '21', '0001234567', 'F', 'A1B2C3D4', 0), "
             "(1, 'BE', '22', '0007654321', ' ', '', 0)");
    exec(db, "INSERT INTO backup (Fancier, country, Year, band, sex, elcode, \"delete\") "
             "SELECT Fancier, country, Year, band, sex, elcode, \"delete\" FROM pigeons");
}

} // namespace

class TestSchemaUpgrade : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QSqlDatabase m_db;

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_db = testing::openDeliveredDatabase(m_dir.path());
    }

    void cleanup()
    {
        m_db = QSqlDatabase();
        ClubDatabase::close();
    }

    void deliveredFileLacksWhatTheUpgradeAdds()
    {
        QVERIFY(!columns(m_db, "settings").contains("converter"));
        QVERIFY(!columns(m_db, "pigeons").contains("nr"));
        QVERIFY(!columns(m_db, "fanciers").contains("kxt"));
        QVERIFY(!tableExists(m_db, "races"));
        QVERIFY(!tableExists(m_db, "badges"));
        QVERIFY(!tableExists(m_db, "combine"));
    }

    void upgradeAddsFieldsTablesAndRows()
    {
        addClubData(m_db);
        upgradeSchema(m_db);

        QCOMPARE(columns(m_db, "settings"),
                 QStringList({"com", "protocol", "clubid", "club", "converter", "sort",
                              "port1", "port2", "port3", "port4", "backupskept", "backupmonths", "language",
                              "prizeevery", "nominated"}));
        QCOMPARE(columns(m_db, "pigeons").last(), QString("nr"));
        QCOMPARE(columns(m_db, "backup"), columns(m_db, "pigeons"));
        QVERIFY(columns(m_db, "fanciers").contains("kxt"));
        QVERIFY(columns(m_db, "fanciers").contains("kyt"));
        QCOMPARE(columns(m_db, "combine"), QStringList({"id", "naam", "l1", "l2", "l3"}));
        QCOMPARE(columns(m_db, "badges"), QStringList({"id", "badge"}));
        QCOMPARE(columns(m_db, "races"), QStringList({"id", "lossing", "afkort"}));
        for (const char* table : {"releasepoints", "racedays", "clockchecks", "clubarrivals"})
            QVERIFY2(tableExists(m_db, table), table);

        // Existing rows read the new boolean fields as false, never as null.
        QCOMPARE(rows(m_db, "SELECT Converter, Sort, Nominated FROM settings"), QStringList({"0|0|0"}));
        QCOMPARE(rows(m_db, "SELECT nr FROM pigeons ORDER BY rowid"), QStringList({"1", "2"}));
        QCOMPARE(count(m_db, "SELECT count(*) FROM badges"), 5);
        QCOMPARE(count(m_db, "SELECT count(*) FROM races"), 25);
        // Backup rows are still copied column for column after the upgrade.
        exec(m_db, "DELETE FROM backup");
        exec(m_db, "INSERT INTO backup SELECT * FROM pigeons");
        QCOMPARE(rows(m_db, "SELECT * FROM backup ORDER BY rowid"), rows(m_db, "SELECT * FROM pigeons ORDER BY rowid"));
    }

    void secondStartChangesNothingButNumbering()
    {
        addClubData(m_db);
        upgradeSchema(m_db);
        exec(m_db, "UPDATE races SET lossing = 'Quiévrain', afkort = 'QUIE' WHERE id = 3");
        exec(m_db, "UPDATE badges SET Badge = 'Gold' WHERE id = 2");
        exec(m_db, "INSERT INTO combine (id, Naam, L1, L2, L3) VALUES (1, 'Team', 1, 0, 0)");
        // A pigeon added since the last start with a number of its own.
        exec(m_db, "INSERT INTO pigeons (Fancier, band, nr) VALUES (1, '0000000099', 50)");

        const QStringList schemaBefore = testing::schema(m_db);
        const QStringList tables{"settings", "fanciers", "backup", "races", "badges", "combine",
                                 "PcLanguage", "language"};
        QMap<QString, QStringList> contents;
        for (const QString& table : tables)
            contents[table] = rows(m_db, QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
        const QStringList pigeonsBefore = rows(m_db, "SELECT Fancier, band FROM pigeons ORDER BY rowid");

        upgradeSchema(m_db);

        QCOMPARE(testing::schema(m_db), schemaBefore);
        for (const QString& table : tables)
            QCOMPARE(rows(m_db, QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table)), contents[table]);
        QCOMPARE(rows(m_db, "SELECT Fancier, band FROM pigeons ORDER BY rowid"), pigeonsBefore);
        QCOMPARE(rows(m_db, "SELECT nr FROM pigeons ORDER BY rowid"), QStringList({"1", "2", "3"}));

        // And a third start with the numbering already right changes nothing at all.
        const QStringList everyRow = testing::allRows(m_db);
        upgradeSchema(m_db);
        QCOMPARE(testing::allRows(m_db), everyRow);
        QCOMPARE(testing::schema(m_db), schemaBefore);
    }

    // Two PCs started at the same moment after a new version, on a club
    // still as delivered (on a server: still empty): both start, and the club
    // is laid out and upgraded once, with no field added twice and no text,
    // badge or race row given twice.
    void twoPcsStartingAtOnceUpgradeTheClubOnce()
    {
        constexpr int kRounds = 10;
        for (int round = 0; round < kRounds; ++round) {
            const QString club = testing::onServer() ? testing::emptyServerDatabase()
                                                     : m_dir.filePath(QStringLiteral("round%1.db").arg(round));
            if (!testing::onServer())
                testing::writeDeliveredDatabase(club);
            std::array<QString, 2> outcome;
            std::barrier together(2);
            const auto startPc = [&](int pc) {
                const testing::OtherPc connection(club, QStringLiteral("starting-pc-%1").arg(pc));
                together.arrive_and_wait();
                try {
                    layOutServerDatabase(connection.db());
                    upgradeSchema(connection.db());
                    outcome[size_t(pc)] = QStringLiteral("started");
                } catch (const std::exception& error) {
                    outcome[size_t(pc)] = QString::fromUtf8(error.what());
                }
            };
            std::thread pcB(startPc, 1);
            startPc(0);
            pcB.join();

            const testing::OtherPc started(club, QStringLiteral("started-club"));
            const QString context = QStringLiteral("round %1").arg(round);
            QCOMPARE(outcome[0] + u'/' + outcome[1], QStringLiteral("started/started"));
            QVERIFY2(count(started.db(), "SELECT count(*) FROM badges") == 5, qPrintable(context));
            QVERIFY2(count(started.db(), "SELECT count(*) FROM races") == 25, qPrintable(context));
            QVERIFY2(count(started.db(), "SELECT count(*) FROM PcLanguage WHERE id >= 97")
                         == CatalogueNumbersAddedSinceDelivery().size(),
                     qPrintable(context));
        }
    }

    void missingUpgradeTableIsAnError_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("settings") << "settings";
        QTest::newRow("pigeons") << "pigeons";
        QTest::newRow("backup") << "backup";
        QTest::newRow("fanciers") << "fanciers";
        QTest::newRow("catalogue") << "PcLanguage";
    }

    void missingUpgradeTableIsAnError()
    {
        QFETCH(QString, table);
        exec(m_db, QStringLiteral("DROP TABLE %1").arg(table));
        try {
            upgradeSchema(m_db);
            QFAIL("the upgrade went on without a table");
        } catch (const DatabaseError& e) {
            const QString message = QString::fromUtf8(e.what());
            QVERIFY2(message.contains(databaseFile(m_db)), e.what());
            QVERIFY2(message.contains(table, Qt::CaseInsensitive), e.what());
        }
    }

    // An older club file lacks the newer texts: they are added as delivered,
    // and every row the club has, translated or not, stays as it is.
    void catalogueGetsOnlyItsMissingTexts()
    {
        const QString texts = QStringLiteral("SELECT id, \"default\", other FROM PcLanguage WHERE id %1 ORDER BY id");
        QStringList added = rows(m_db, texts.arg(">= 97"));
        QCOMPARE(added.size(), CatalogueNumbersAddedSinceDelivery().size());
        exec(m_db, "DELETE FROM PcLanguage WHERE id >= 97 AND id <> 100");
        exec(m_db, "UPDATE PcLanguage SET other = 'Zoeken' WHERE id = 18");
        exec(m_db, "UPDATE PcLanguage SET \"default\" = 'Hold it', other = 'Duif in antenne' WHERE id = 100");
        added[3] = "100|Hold it|Duif in antenne";
        const QStringList older = rows(m_db, texts.arg("< 97"));

        upgradeSchema(m_db);

        QCOMPARE(rows(m_db, texts.arg("< 97")), older);
        QCOMPARE(rows(m_db, texts.arg(">= 97")), added);
    }

    // A shipped language goes only where the club typed nothing, replaces the
    // shipped texts of the language chosen before, and English takes the
    // shipped texts away again; the club's own text survives all of it.
    void shippedLanguageFillsOnlyWhatTheClubLeftBlank()
    {
        upgradeSchema(m_db);
        const QHash<int, QString> dutch = ShippedTranslations::texts(QStringLiteral("nl"));
        const QHash<int, QString> french = ShippedTranslations::texts(QStringLiteral("fr"));
        QVERIFY(dutch.contains(6) && french.contains(340) && dutch.value(340) != french.value(340));
        exec(m_db, "UPDATE PcLanguage SET other = 'Zoek een liefhebber' WHERE id = 18");
        exec(m_db, "UPDATE PcLanguage SET other = '   ' WHERE id = 6");
        runStatement(m_db, "UPDATE PcLanguage SET other = ? WHERE id = 340", {french.value(340)});
        int translatable = 0;
        for (const QString& id : rows(m_db, "SELECT id FROM PcLanguage"))
            translatable += dutch.contains(id.toInt()) ? 1 : 0;

        QCOMPARE(ShippedTranslations::apply(m_db, QStringLiteral("nl")), translatable - 1);
        QCOMPARE(translation(m_db, 6), dutch.value(6));
        QCOMPARE(translation(m_db, 340), dutch.value(340));
        QCOMPARE(translation(m_db, 18), QStringLiteral("Zoek een liefhebber"));
        QCOMPARE(ShippedTranslations::apply(m_db, QStringLiteral("nl")), 0);

        QCOMPARE(ShippedTranslations::apply(m_db, QString()), 0);
        QCOMPARE(rows(m_db, "SELECT id, other FROM PcLanguage WHERE other <> ''"),
                 QStringList({"18|Zoek een liefhebber"}));
    }

    // Texts a later version adds come in the language the club chose.
    void catalogueTextsAddedLaterComeInTheChosenLanguage()
    {
        upgradeSchema(m_db);
        ClubSettings settings = loadSettings(m_db);
        settings.language = QStringLiteral("nl");
        saveSettings(m_db, settings);
        exec(m_db, "DELETE FROM PcLanguage WHERE id IN (100, 340)");

        upgradeSchema(m_db);

        const QHash<int, QString> dutch = ShippedTranslations::texts(QStringLiteral("nl"));
        QCOMPARE(translation(m_db, 100), dutch.value(100));
        QCOMPARE(translation(m_db, 340), dutch.value(340));
        QCOMPARE(translation(m_db, 101), QString()); // a row the club has stays as it is
    }

    void fieldNameMatchIgnoresCaseAndBlanks_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("wanted");
        QTest::newRow("upper") << "NR" << "Nr";
        QTest::newRow("lower") << "nr" << "NR";
        QTest::newRow("blanks around the wanted name") << "nr" << " nr ";
        QTest::newRow("blanks around the existing name") << " Nr " << "nr";
    }

    void fieldNameMatchIgnoresCaseAndBlanks()
    {
        QFETCH(QString, existing);
        QFETCH(QString, wanted);
        exec(m_db, QStringLiteral("ALTER TABLE pigeons ADD COLUMN %1 INTEGER").arg(quoteIdentifier(existing)));
        const int before = columns(m_db, "pigeons").size();
        AddFieldIfMissing(m_db, "Pigeons", wanted, FieldType::Long, 4, true);
        QCOMPARE(columns(m_db, "pigeons").size(), before);
    }

    void addedFieldsHaveTheirType()
    {
        AddFieldIfMissing(m_db, "fanciers", "Remark", FieldType::Text, 12, false);
        AddFieldIfMissing(m_db, "fanciers", "Notes", FieldType::Memo, 0, true);
        AddFieldIfMissing(m_db, "fanciers", "Paid", FieldType::Boolean, 1, true);
        exec(m_db, "INSERT INTO fanciers (Licence, Notes) VALUES ('1', '')");
        QCOMPARE(rows(m_db, "SELECT Paid, Notes, Remark FROM fanciers"), QStringList({"0||<null>"}));
        // Zero length refused where it is not allowed.
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
                                 exec(m_db, "UPDATE fanciers SET Remark = ''"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
                                 exec(m_db, "UPDATE fanciers SET Paid = NULL"));
    }

    void addFieldToMissingTableIsAnError()
    {
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
                                 AddFieldIfMissing(m_db, "nosuch", "x", FieldType::Long, 4, true));
    }

    // The upgrade's questions are answered from one read of the catalogue:
    // what it changed itself, and what a failed unit undid, must show in the
    // answers that follow.
    void catalogueSnapshotFollowsChangesOfTheSchema()
    {
        const CatalogueSnapshot catalogue(m_db);
        QVERIFY(!columns(m_db, "pigeons").contains("nr"));
        AddFieldIfMissing(m_db, "Pigeons", "Nr", FieldType::Long, 4, true);
        QVERIFY(columns(m_db, "pigeons").contains("nr"));
        AddFieldIfMissing(m_db, "Pigeons", "NR", FieldType::Long, 4, true);
        CreateRacesTable(m_db);
        QVERIFY(tableExists(m_db, "races"));
        runStatement(m_db, "CREATE INDEX IF NOT EXISTS races_id ON races (id)");
        QVERIFY(indexExists(m_db, "races_id"));
        runStatement(m_db, "DROP INDEX races_id");
        QVERIFY(!indexExists(m_db, "races_id"));
        bool createdInUnit = false;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, inTransaction(m_db, [&] {
            CreateBadgesTable(m_db);
            createdInUnit = tableExists(m_db, "badges");
            throw std::runtime_error("stop");
        }));
        QVERIFY(createdInUnit);
        QVERIFY(!tableExists(m_db, "badges"));
    }

    void existingTablesAreKeptByCreate()
    {
        exec(m_db, "CREATE TABLE Races (id INTEGER, lossing TEXT, afkort TEXT, extra TEXT)");
        exec(m_db, "INSERT INTO races (id, lossing, afkort, extra) VALUES (1, 'Noyon', 'NOYO', 'x')");
        CreateRacesTable(m_db);
        CreateBadgesTable(m_db);
        CreateBadgesTable(m_db);
        CreateCombineTable(m_db);
        QCOMPARE(rows(m_db, "SELECT id, lossing, afkort, extra FROM races"), QStringList({"1|Noyon|NOYO|x"}));
        QCOMPARE(count(m_db, "SELECT count(*) FROM badges"), 0);
    }

    void racesFillFromEmpty()
    {
        CreateRacesTable(m_db);
        FillRaces(m_db);
        const QStringList races = rows(m_db, "SELECT id, lossing, afkort FROM races ORDER BY id");
        QCOMPARE(races.size(), 25);
        QCOMPARE(races.first(), QString("1|Race 1|RAE1"));
        QCOMPARE(races.at(8), QString("9|Race 9|RAE9"));
        QCOMPARE(races.at(9), QString("10|Race 10|RA10"));
        QCOMPARE(races.last(), QString("25|Race 25|RA25"));
    }

    void racesFillKeepsExistingRows()
    {
        CreateRacesTable(m_db);
        exec(m_db, "INSERT INTO races VALUES (1, 'Noyon', 'NOYO'), (2, 'Orleans', 'ORLE'), (3, 'Bourges', 'BOUR')");
        FillRaces(m_db);
        const QStringList races = rows(m_db, "SELECT id, lossing, afkort FROM races ORDER BY id");
        QCOMPARE(races.size(), 25);
        QCOMPARE(races.mid(0, 4), QStringList({"1|Noyon|NOYO", "2|Orleans|ORLE", "3|Bourges|BOUR",
                                               "4|Race 4|RAE4"}));
    }

    void racesAndBadgesBeyondTheirCountGetNothing()
    {
        CreateRacesTable(m_db);
        CreateBadgesTable(m_db);
        for (int i = 1; i <= 30; ++i) {
            runStatement(m_db, "INSERT INTO races (id) VALUES (?)", {i});
            runStatement(m_db, "INSERT INTO badges (id) VALUES (?)", {i});
        }
        FillRaces(m_db);
        FillBadges(m_db);
        QCOMPARE(count(m_db, "SELECT count(*) FROM races"), 30);
        QCOMPARE(count(m_db, "SELECT count(*) FROM badges"), 30);
    }

    void badgesFill()
    {
        CreateBadgesTable(m_db);
        FillBadges(m_db);
        QCOMPARE(rows(m_db, "SELECT id, Badge FROM badges ORDER BY id"),
                 QStringList({"1|<null>", "2|<null>", "3|<null>", "4|<null>", "5|<null>"}));
        exec(m_db, "DELETE FROM badges WHERE id > 3");
        exec(m_db, "UPDATE badges SET Badge = 'Gold' WHERE id = 1");
        FillBadges(m_db);
        QCOMPARE(rows(m_db, "SELECT id, Badge FROM badges ORDER BY id"),
                 QStringList({"1|Gold", "2|<null>", "3|<null>", "4|<null>", "5|<null>"}));
    }

    void raceAbbreviations()
    {
        QCOMPARE(defaultRaceAbbreviation(1), QString("RAE1"));
        QCOMPARE(defaultRaceAbbreviation(9), QString("RAE9"));
        QCOMPARE(defaultRaceAbbreviation(10), QString("RA10"));
        QCOMPARE(defaultRaceAbbreviation(25), QString("RA25"));
    }
};

QTEST_GUILESS_MAIN(TestSchemaUpgrade)
#include "tst_schemaupgrade.moc"
