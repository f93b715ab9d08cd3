// The settings row: defaults for an empty table, and storing and reading it back.
#include "support/DeliveredDatabase.h"
#include "common/AppState.h"
#include "database/ClubDatabase.h"
#include "database/PcLineSettings.h"
#include "database/SchemaUpgrade.h"
#include "database/SettingsStore.h"
#include "database/SqlUtil.h"
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace durvek;
using testing::exec;
using testing::rows;

namespace {

// This user's settings on the PC of folder from now on, as on another PC.
void onPc(const QTemporaryDir& folder)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
}

// The line: COM port, converter, devices.
QString lineOf(const ClubSettings& settings)
{
    return QStringLiteral("COM%1 %2 %3").arg(settings.com + 1).arg(settings.converter).arg(settings.portDevices[2]);
}

void compareSettings(const ClubSettings& actual, const ClubSettings& expected)
{
    QCOMPARE(actual.com, expected.com);
    QCOMPARE(actual.protocol, expected.protocol);
    QCOMPARE(actual.clubId, expected.clubId);
    QCOMPARE(actual.club, expected.club);
    QCOMPARE(actual.converter, expected.converter);
    QCOMPARE(actual.sort, expected.sort);
    for (size_t i = 0; i < 4; ++i)
        QCOMPARE(actual.portDevices[i], expected.portDevices[i]);
    QCOMPARE(actual.backupsKept, expected.backupsKept);
    QCOMPARE(actual.backupMonths, expected.backupMonths);
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QSqlDatabase m_db;
    std::unique_ptr<QTemporaryDir> m_thisPc;

private slots:
    void init()
    {
        m_thisPc = std::make_unique<QTemporaryDir>();
        onPc(*m_thisPc);
        appState().decimalSeparator = u'.';
        m_db = testing::openDeliveredDatabase(m_dir.path());
        upgradeSchema(m_db);
    }

    void cleanup()
    {
        m_db = QSqlDatabase();
        ClubDatabase::close();
    }

    void deliveredRowMeansTheDefaults()
    {
        compareSettings(loadSettings(m_db), ClubSettings());
    }

    void emptyTableGivesTheDefaults()
    {
        exec(m_db, "DELETE FROM settings");
        appState().activeSettings.com = 3;
        appState().activeSettings.club = "old";
        LoadSettings();
        const ClubSettings& active = appState().activeSettings;
        QCOMPARE(active.com, 0);
        QCOMPARE(active.protocol, 0);
        QCOMPARE(active.clubId, QString(" "));
        QCOMPARE(active.club, QString(" "));
        QVERIFY(!active.converter);
        QVERIFY(!active.sort);
    }

    void saveIntoEmptyTableAddsOneRow()
    {
        exec(m_db, "DELETE FROM settings");
        saveSettings(m_db, ClubSettings());
        QCOMPARE(rows(m_db, "SELECT com, protocol, Clubid, Club, Converter, Sort FROM settings"),
                 QStringList({"0|0| | |0|0"}));
    }

    void roundTrip()
    {
        ClubSettings settings;
        settings.com = 2;
        settings.protocol = 3;
        settings.clubId = "  4711 ";
        settings.club = "De Snelle Vleugel";
        settings.converter = true;
        settings.sort = true;
        settings.portDevices = {"/dev/ttyUSB0", "", " /dev/ttyACM1 ", ""};
        settings.backupsKept = 30;
        settings.backupMonths = 0; // no monthly backups, not "not set"
        saveSettings(m_db, settings);
        saveSettings(m_db, settings); // a second save edits the same row
        QCOMPARE(rows(m_db, "SELECT count(*) FROM settings"), QStringList({"1"}));

        ClubSettings expected = settings;
        expected.clubId = "4711";
        expected.portDevices = {"/dev/ttyUSB0", "", "/dev/ttyACM1", ""};
        compareSettings(loadSettings(m_db), expected);
        QCOMPARE(portDevice(loadSettings(m_db), 1), defaultPortDevice(1));
    }

    void blanksAreStoredAsOneSpace()
    {
        ClubSettings settings;
        settings.clubId = "";
        settings.club = "   ";
        saveSettings(m_db, settings);
        QCOMPARE(rows(m_db, "SELECT Clubid, Club FROM settings"), QStringList({" | "}));
        QCOMPARE(loadSettings(m_db).club, QString(" "));
    }

    // Two PCs on one club database change the settings one after the other,
    // each from what it loaded: neither undoes what the other changed. On a
    // server each PC keeps a line of its own (port, converter, devices) and
    // the row keeps the one a new PC starts from; the file has one line.
    void twoPcsStoreTheirOwnChanges()
    {
        const QTemporaryDir pcB;
        const ClubSettings loadedOnA = loadSettings(m_db);
        onPc(pcB);
        const ClubSettings loadedOnB = loadSettings(m_db);
        ClubSettings onB = loadedOnB;
        onB.club = "Changed on B";
        onB.com = 2;
        onB.converter = true;
        onB.portDevices[2] = "/dev/ttyUSB1";
        saveSettings(m_db, onB, loadedOnB);
        onPc(*m_thisPc);
        ClubSettings onA = loadedOnA;
        onA.backupsKept = 7;
        onA.com = 1;
        saveSettings(m_db, onA, loadedOnA);

        const ClubSettings seenOnA = loadSettings(m_db);
        onPc(pcB);
        const ClubSettings seenOnB = loadSettings(m_db);
        for (const ClubSettings& seen : {seenOnA, seenOnB}) {
            QCOMPARE(seen.club, QString("Changed on B"));
            QCOMPARE(seen.backupsKept, 7);
        }
        if (lineKeptOnThisPc(m_db)) {
            QCOMPARE(lineOf(seenOnA), QString("COM2 0 "));
            QCOMPARE(lineOf(seenOnB), QString("COM3 1 /dev/ttyUSB1"));
            const QTemporaryDir newPc;
            onPc(newPc);
            QCOMPARE(lineOf(loadSettings(m_db)), QString("COM1 0 "));
        } else {
            QCOMPARE(lineOf(seenOnA), QString("COM2 1 /dev/ttyUSB1"));
            QCOMPARE(lineOf(seenOnB), lineOf(seenOnA));
        }
    }

    // Only the first row counts; a stray second row is neither read nor changed.
    void onlyTheFirstRowIsUsed()
    {
        exec(m_db, "INSERT INTO settings (com, protocol, Clubid, Club) VALUES (3, 3, 'X', 'Y')");
        QCOMPARE(loadSettings(m_db).com, 0);
        ClubSettings settings;
        settings.protocol = 1;
        saveSettings(m_db, settings);
        QCOMPARE(rows(m_db, "SELECT protocol FROM settings ORDER BY rowid"), QStringList({"1", "3"}));
    }

    // Values stored as text or null by hand (or an older program) read as numbers.
    void looseFieldValues()
    {
        exec(m_db, "UPDATE settings SET com = NULL, protocol = '2', Converter = 5, Clubid = NULL");
        const ClubSettings settings = loadSettings(m_db);
        QCOMPARE(settings.com, 0);
        QCOMPARE(settings.protocol, 2);
        QVERIFY(settings.converter);
        QCOMPARE(settings.clubId, QString(" "));
    }

    // Before the upgrade the settings table has no option or port fields.
    void fileBeforeTheUpgrade()
    {
        if (lineKeptOnThisPc(m_db))
            QSKIP("a server keeps the line on the PC, not in the row");
        cleanup();
        QTemporaryDir dir;
        m_db = testing::openDeliveredDatabase(dir.path());
        ClubSettings settings;
        settings.com = 1;
        settings.converter = true;
        saveSettings(m_db, settings);
        const ClubSettings loaded = loadSettings(m_db);
        QCOMPARE(loaded.com, 1);
        QVERIFY(!loaded.converter);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
