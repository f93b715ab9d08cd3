// Backups of the club database and restoring one: which backups retention
// keeps, a backup killed half-way, damaged files refused, and the question
// when no backup can be made before a bulk job.
#include "backup/AutomaticBackup.h"
#include "backup/BackupCatalogue.h"
#include "backup/BackupMaker.h"
#include "backup/BackupRetention.h"
#include "backup/DamagedDatabaseRestore.h"
#include "backup/DatabaseRestore.h"
#include "backup/SqliteFile.h"
#include "backup/ui/BackupBeforeBulkChange.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "database/FancierRevision.h"
#include "database/SchemaUpgrade.h"
#include "database/SqlUtil.h"
#include "support/ClubRows.h"
#include "support/DeliveredClub.h"
#include "support/ModalAnswers.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace durvek;
using testing::DeliveredClub;
using testing::ModalAnswers;

namespace {

QString backupFile(const QString& madeAt, const QString& reason = QStringLiteral("start"))
{
    return QStringLiteral("durvadm %1 %2.db").arg(madeAt, reason);
}

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

QStringList backupNames(const QString& folder)
{
    QStringList names;
    for (const ListedBackup& backup : listBackups(folder))
        names.append(backup.name.fileName());
    return names;
}

// Ways a file offered for restoring can be spoilt.
using Spoil = std::function<void(const QString& path)>;

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void dropTable(const QString& path, const char* sql)
{
    SqliteFile(path, SqliteFile::Create).column(sql);
}

// Removes the backups made for the same club as backup (a server's are in
// the program's folder, which other tests share); "reason pigeons" of each.
QStringList removeBackupsBeside(const QString& backup)
{
    const QString base = parseBackupName(QFileInfo(backup).fileName())->base;
    QStringList reasons;
    for (const ListedBackup& listed : listBackups(QFileInfo(backup).path())) {
        if (listed.name.base == base) {
            reasons.append(listed.name.reasonWord + u' ' + QString::number(listed.pigeons));
            QFile::remove(listed.path);
        }
    }
    reasons.sort();
    return reasons;
}

} // namespace

Q_DECLARE_METATYPE(Spoil)
Q_DECLARE_METATYPE(RestoreVerdict::Problem)

class TestBackup : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_club;  // a generated club large enough to cut a backup in the middle

private slots:
    void initTestCase()
    {
        m_club = m_dir.filePath(QStringLiteral("club.db"));
        const int status = QProcess::execute(QStringLiteral(DURVEK_BIN_DIR "/makeclub"),
                                             {m_club, "--fanciers", "300", "--pigeons", "20000"});
        QCOMPARE(status, 0);
    }

    // Only the restore tests here are about a club on a server too; the others are about the file.
    void init()
    {
        if (testing::resolvedEngine(testing::Engine::FromEnvironment) == testing::Engine::Postgresql
            && !QStringList({"aBackupRestoredBringsTheClubBackRowForRow", "aStoreLoadedBeforeARestoreIsRefusedAfterIt"})
                    .contains(QLatin1String(QTest::currentTestFunction())))
            QSKIP("about the club database file");
    }

    void cleanup() { ClubDatabase::close(); }

    void retentionKeepsTheNewestAndTheFirstOfEachMonth_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("months");
        QTest::addColumn<QStringList>("removed");
        const QStringList december{backupFile("2026-12-01 100000"), backupFile("2026-12-03 100000"),
                                   backupFile("2026-12-05 100000"), backupFile("2026-12-06 100000")};
        QTest::newRow("fewer than the last kept") << december << 20 << 12 << QStringList();
        QTest::newRow("the month's first stays beside the newest")
            << december << 2 << 12 << QStringList{backupFile("2026-12-03 100000")};
        QTest::newRow("no months: only the newest")
            << december << 2 << 0 << QStringList{backupFile("2026-12-03 100000"), backupFile("2026-12-01 100000")};
        QTest::newRow("one a month for a year, older ones go")
            << QStringList{backupFile("2026-12-06 100000"), backupFile("2026-11-20 100000"),
                           backupFile("2026-11-02 100000"), backupFile("2026-01-15 100000"),
                           backupFile("2025-12-20 100000"), backupFile("2024-05-01 100000")}
            << 1 << 12
            << QStringList{backupFile("2026-11-20 100000"), backupFile("2025-12-20 100000"),
                           backupFile("2024-05-01 100000")};
        QTest::newRow("files that are no backup are never removed")
            << QStringList{"notes.txt", "durvadm.db", backupFile("2026-12-01 100000") + ".partial",
                           backupFile("2026-12-05 100000"), backupFile("2026-12-04 100000", "import")}
            << 1 << 0 << QStringList{backupFile("2026-12-04 100000", "import")};
        QTest::newRow("the same second: the second one is newer")
            << QStringList{backupFile("2026-12-07 143012", "delete 2"), backupFile("2026-12-07 143012", "delete")}
            << 1 << 0 << QStringList{backupFile("2026-12-07 143012", "delete")};
    }

    void retentionKeepsTheNewestAndTheFirstOfEachMonth()
    {
        QFETCH(QStringList, files);
        QFETCH(int, last);
        QFETCH(int, months);
        QFETCH(QStringList, removed);
        QCOMPARE(backupsToRemove(files, RetentionRule{last, months}, QDate(2026, 12, 7)), removed);
    }

    void backupKilledHalfWayLeavesDatabaseAndEarlierBackupsIntact()
    {
        const QTemporaryDir program;
        const QString database = program.filePath(QStringLiteral("durvadm.db"));
        QVERIFY(QFile::copy(m_club, database));
        const QString folder = backupFolderOf(database);
        {
            const QSqlDatabase db = ClubDatabase::open(database);
            makeBackup(engineHandle(db), database, folder, BackupReason::Start, QDateTime({2026, 1, 5}, {9, 0}));
            makeBackup(engineHandle(db), database, folder, BackupReason::Import, QDateTime({2026, 2, 5}, {9, 0}));
        }
        ClubDatabase::close();
        const QStringList earlier = backupNames(folder);
        QCOMPARE(earlier.size(), 2);
        const QByteArray before = fileHash(database);

        QProcess child;
        child.start(QStringLiteral(DURVEK_BIN_DIR "/tests/backup_child"), {database, folder});
        QVERIFY(child.waitForReadyRead(60000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("halfway"));
        QVERIFY(!QDir(folder).entryList({"*.partial"}, QDir::Files).isEmpty());
        child.kill();
        QVERIFY(child.waitForFinished(60000));

        QCOMPARE(fileHash(database), before);
        QVERIFY(checkRestorable(database).restorable());
        QCOMPARE(backupNames(folder), earlier);
        for (const ListedBackup& backup : listBackups(folder)) {
            QVERIFY2(checkRestorable(backup.path).restorable(), qPrintable(backup.path));
            QCOMPARE(backup.pigeons, 20000);
        }

        // The next start clears what the killed backup left and makes its own.
        QCOMPARE(makeStartBackup(ClubDatabase::open(database)), QString());
        QCOMPARE(QDir(folder).entryList({"*.partial*"}, QDir::Files), QStringList());
        QCOMPARE(backupNames(folder).size(), 3);
    }

    void damagedFileIsRefusedWithNothingReplaced_data()
    {
        QTest::addColumn<Spoil>("spoil");
        QTest::addColumn<RestoreVerdict::Problem>("problem");
        QTest::addColumn<QString>("table");
        QTest::newRow("empty") << Spoil([](const QString& path) { writeBytes(path, {}); })
                               << RestoreVerdict::Damaged << QString();
        QTest::newRow("garbage") << Spoil([](const QString& path) {
            QByteArray bytes(65536, '\0');
            QRandomGenerator generator(7);
            for (char& byte : bytes)
                byte = char(generator.bounded(256));
            writeBytes(path, bytes);
        }) << RestoreVerdict::Damaged << QString();
        QTest::newRow("truncated") << Spoil([](const QString& path) {
            const QByteArray bytes = readBytes(path);
            writeBytes(path, bytes.left(bytes.size() / 2));
        }) << RestoreVerdict::Damaged << QString();
        QTest::newRow("a page overwritten") << Spoil([](const QString& path) {
            QByteArray bytes = readBytes(path);
            bytes.replace(bytes.size() / 2, 4096, QByteArray(4096, '\xA5'));
            writeBytes(path, bytes);
        }) << RestoreVerdict::Damaged << QString();
        QTest::newRow("no pigeons table")
            << Spoil([](const QString& path) { dropTable(path, "DROP TABLE pigeons"); })
            << RestoreVerdict::MissingTable << QStringLiteral("pigeons");
        QTest::newRow("no catalogue")
            << Spoil([](const QString& path) { dropTable(path, "DROP TABLE PcLanguage"); })
            << RestoreVerdict::MissingTable << QStringLiteral("PcLanguage");
    }

    void damagedFileIsRefusedWithNothingReplaced()
    {
        QFETCH(Spoil, spoil);
        QFETCH(RestoreVerdict::Problem, problem);
        QFETCH(QString, table);
        const DeliveredClub club;
        const QString offered = club.folder() + QStringLiteral("/offered.db");
        QVERIFY(QFile::copy(m_club, offered));
        QVERIFY(QFile::setPermissions(offered, QFile::ReadOwner | QFile::WriteOwner));
        spoil(offered);
        const QByteArray before = fileHash(club.databasePath());
        bool reopened = false;

        const RestoreOutcome outcome = restoreDatabase(offered, {}, [&] { reopened = true; });

        QCOMPARE(outcome.verdict.problem, problem);
        QCOMPARE(outcome.verdict.table, table);
        QCOMPARE(fileHash(club.databasePath()), before);
        QVERIFY(!reopened);
        QVERIFY(ClubDatabase::get().isOpen());
        QVERIFY(!QDir(backupFolderOf(club.databasePath())).exists());
    }

    void soundBackupTakesThePlaceOfTheDatabase()
    {
        const DeliveredClub club;
        const QString offered = club.folder() + QStringLiteral("/offered.db");
        QVERIFY(QFile::copy(m_club, offered));
        runStatement(club.db(), "INSERT INTO fanciers (Licence, Name) VALUES ('12345678', 'PRESENT')");
        int reopened = 0;
        const auto reopen = [&] {
            ++reopened;
            upgradeSchema(ClubDatabase::open(club.databasePath()));
        };

        const RestoreOutcome outcome = restoreDatabase(offered, {}, reopen);

        QVERIFY(outcome.verdict.restorable());
        QCOMPARE(reopened, 1);
        QCOMPARE(queryValue(ClubDatabase::get(), "SELECT count(*) FROM pigeons").toInt(), 20000);
        // The state before the restore is a backup of its own.
        const QList<ListedBackup> backups = listBackups(backupFolderOf(club.databasePath()));
        QCOMPARE(backups.size(), 1);
        QCOMPARE(backups.first().name.reasonWord, QStringLiteral("restore"));
        QCOMPARE(backups.first().fanciers, 1);
    }

    void aDamagedDatabaseIsNeverLost_data()
    {
        QTest::addColumn<bool>("startFails");
        QTest::newRow("start on the backup goes on: damaged file aside") << false;
        QTest::newRow("start on the backup fails: damaged file back") << true;
    }

    // The journal goes with the damaged file: left behind, the engine would
    // play it back into the restored copy.
    void aDamagedDatabaseIsNeverLost()
    {
        QFETCH(bool, startFails);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("durvadm.db"));
        const QByteArray damaged("minutes of the last club meeting, not a database");
        writeBytes(path, damaged);
        writeBytes(path + QStringLiteral("-journal"), "journal");
        const QDateTime now(QDate(2026, 12, 7), QTime(14, 30, 12));
        const auto start = [&] {
            upgradeSchema(ClubDatabase::open(path));
            if (startFails)
                throw DatabaseError("the start on the backup failed");
        };

        try {
            const RestoreOutcome outcome = restoreDamagedDatabase(m_club, path, start, now);
            QVERIFY(!startFails);
            QCOMPARE(outcome.safetyBackup, path + QStringLiteral(".damaged 2026-12-07 143012"));
            QCOMPARE(queryValue(ClubDatabase::get(), "SELECT count(*) FROM pigeons").toInt(), 20000);
        } catch (const DatabaseError& error) {
            QVERIFY2(startFails && QString::fromUtf8(error.what()).contains(QLatin1String("start on the backup")),
                     error.what());
        }

        const QString kept = startFails ? path : path + QStringLiteral(".damaged 2026-12-07 143012");
        QCOMPARE(readBytes(kept), damaged);
        QCOMPARE(readBytes(kept + QStringLiteral("-journal")), QByteArray("journal"));
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.damaged*")}, QDir::Files).size(), startFails ? 0 : 2);
    }

    // The only test here for a club on a server too (the others are about
    // the file): backed up row by row into a file and restored from it.
    void aBackupRestoredBringsTheClubBackRowForRow()
    {
        const DeliveredClub club;
        testing::fillEveryClubTable(club.db());
        upgradeSchema(club.db());
        const QStringList before = testing::clubRows(club.db());
        const QString backup = makeAutomaticBackup(club.db(), BackupReason::Import, {});
        runStatement(club.db(), "DELETE FROM pigeons");
        runStatement(club.db(), "UPDATE fanciers SET Name = 'CHANGED'");
        const bool onServer = engineOf(club.db()) == SqlEngine::Postgres;
        const auto reopen = [&] {
            upgradeSchema(onServer ? ClubDatabase::get() : ClubDatabase::open(club.databasePath()));
        };

        const RestoreOutcome outcome = restoreDatabase(backup, {}, reopen);

        QVERIFY(outcome.verdict.restorable());
        // The fanciers' revisions are raised on the server on purpose (see below).
        if (onServer)
            runStatement(ClubDatabase::get(), "UPDATE fanciers SET Revision = 0");
        QCOMPARE(testing::clubRows(ClubDatabase::get()), before);
        QCOMPARE(removeBackupsBeside(backup), QStringList({"import 2", "restore 0"}));
    }

    void aStoreLoadedBeforeARestoreIsRefusedAfterIt_data()
    {
        QTest::addColumn<int>("storesSinceBackup");
        QTest::newRow("loaded as backed up") << 0;
        QTest::newRow("loaded after later stores") << 2;
    }

    // Another PC of a club on a server loaded a fancier before the restore;
    // its store after it must not overwrite the restored fancier, not even
    // when the revision it holds is the one the backup brought back.
    void aStoreLoadedBeforeARestoreIsRefusedAfterIt()
    {
        QFETCH(int, storesSinceBackup);
        const DeliveredClub club;
        if (engineOf(club.db()) != SqlEngine::Postgres)
            QSKIP("the file is replaced whole, with no other PC on the file it puts in place");
        testing::fillEveryClubTable(club.db());
        const int fancier = 3;
        claimFancierRevision(club.db(), fancier, claimFancierRevision(club.db(), fancier, 0));
        const QString backup = makeAutomaticBackup(club.db(), BackupReason::Import, {});
        for (int i = 0; i < storesSinceBackup; ++i)
            claimFancierRevision(club.db(), fancier, fancierRevision(club.db(), fancier));
        const qint64 loaded = fancierRevision(club.db(), fancier);

        restoreDatabase(backup, {}, [] { upgradeSchema(ClubDatabase::get()); });

        QCOMPARE(queryValue(ClubDatabase::get(), "SELECT count(*) FROM fanciers").toInt(), 2);
        QVERIFY_THROWS_EXCEPTION(FancierChangedElsewhere, claimFancierRevision(ClubDatabase::get(), fancier, loaded));
        removeBackupsBeside(backup);
    }

    // Every PC of a club on a server starts on it, and its backup is a copy
    // row by row: one start backup a day there; the file gets one each start.
    void aServerClubGetsOneStartBackupADay()
    {
        const DeliveredClub club;
        const bool onServer = engineOf(club.db()) == SqlEngine::Postgres;
        const QDateTime morning(QDate(2031, 5, 4), QTime(9, 0));
        const auto startBackups = [&] {
            QStringList found;
            for (const QFileInfo& file : QDir(clubBackupFolder(club.db())).entryInfoList({"*2031-05-04*start*.db"}))
                found.append(file.filePath());
            return found;
        };
        QCOMPARE(makeStartBackup(club.db(), morning), QString());
        QCOMPARE(makeStartBackup(club.db(), morning.addSecs(3600)), QString());
        const QStringList made = startBackups();
        for (const QString& path : made)
            QFile::remove(path);
        QCOMPARE(made.size(), onServer ? 1 : 2);
    }

    void noBackupAsksBeforeTheJob_data()
    {
        QTest::addColumn<bool>("folderBlocked");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("jobStarts");
        QTest::addColumn<int>("questions");
        QTest::newRow("backup made") << false << QMessageBox::No << true << 0;
        QTest::newRow("none made, go on") << true << QMessageBox::Yes << true << 1;
        QTest::newRow("none made, stop") << true << QMessageBox::No << false << 1;
    }

    void noBackupAsksBeforeTheJob()
    {
        QFETCH(bool, folderBlocked);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, jobStarts);
        QFETCH(int, questions);
        const DeliveredClub club;
        const QString folder = backupFolderOf(club.databasePath());
        if (folderBlocked)
            writeBytes(folder, "a file where the folder belongs");
        ModalAnswers answers;
        answers.answerMessage(answer);

        QCOMPARE(backupBeforeBulkChange(nullptr, BackupReason::Import), jobStarts);

        QCOMPARE(answers.seen().size(), questions);
        if (questions > 0)
            QVERIFY(answers.seen().first().text.startsWith(GetText(252).section(u'%', 0, 0)));
        else
            QCOMPARE(listBackups(folder).size(), 1);
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
