// Opening the club database: only an existing database file is accepted, and
// the program never creates one.
#include "support/DeliveredDatabase.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace durvek;

class TestClubDatabase : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ClubDatabase::close(); }

    void opensTheDeliveredFileReadWrite()
    {
        QTemporaryDir dir;
        QSqlDatabase db = testing::openDeliveredDatabase(dir.path());
        QVERIFY(db.isOpen());
        QVERIFY(ClubDatabase::get().isOpen());
        QCOMPARE(databaseFile(db), QDir(dir.path()).absoluteFilePath(QStringLiteral("durvadm.db")));
        testing::exec(db, QStringLiteral("INSERT INTO fanciers (Licence) VALUES ('12345678')"));
        QCOMPARE(queryValue(db, QStringLiteral("SELECT count(*) FROM fanciers")).toInt(), 1);
    }

    void missingFileIsAnErrorAndStaysMissing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("durvadm.db"));
        try {
            ClubDatabase::open(path);
            QFAIL("a missing file was opened");
        } catch (const DatabaseError& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(QDir::toNativeSeparators(path)), e.what());
        }
        QVERIFY(!QFile::exists(path));
        QVERIFY(!ClubDatabase::get().isOpen());
    }

    // The existence check and the open are two steps; the engine must refuse to
    // create the file on its own too, should it vanish in between.
    void engineNeverCreatesTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("gone.db"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("probe"));
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
            db.setDatabaseName(QUrl::fromLocalFile(path).toString() + QStringLiteral("?mode=rw"));
            QVERIFY(!db.open());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("probe"));
        QVERIFY(!QFile::exists(path));
    }

    void fileThatIsNoDatabaseIsAnError()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("durvadm.db"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        try {
            ClubDatabase::open(path);
            QFAIL("a text file was taken for a database");
        } catch (const DatabaseError& e) {
            const QString message = QString::fromUtf8(e.what());
            QVERIFY2(message.contains(QDir::toNativeSeparators(path)), e.what());
            QVERIFY2(message.contains(QLatin1String("not a database")), e.what());
        }
        QVERIFY(!ClubDatabase::get().isOpen());
    }

    void pathWithSpecialCharacters()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("club #1 ?%20 é"));
        QVERIFY(QDir().mkpath(folder));
        QSqlDatabase db;
        try { db = testing::openDeliveredDatabase(folder); } catch (const std::exception& e) { QFAIL(e.what()); }
        QVERIFY(db.isOpen());
        QCOMPARE(databaseFile(db), QDir(folder).absoluteFilePath(QStringLiteral("durvadm.db")));
        QVERIFY(queryValue(db, QStringLiteral("SELECT count(*) FROM PcLanguage")).toInt() > 0);
    }

    void reopeningReplacesTheConnection()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        testing::openDeliveredDatabase(first.path());
        testing::exec(ClubDatabase::get(), QStringLiteral("INSERT INTO fanciers (Licence) VALUES ('1')"));
        testing::openDeliveredDatabase(second.path());
        QCOMPARE(queryValue(ClubDatabase::get(), QStringLiteral("SELECT count(*) FROM fanciers")).toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestClubDatabase)
#include "tst_clubdatabase.moc"
