// What a read makes of a clock's fancier block, the licence lookup, the
// pigeon rows a read stores and the delete of several fanciers' lists.
#include "clocklink/ClockJobStore.h"
#include "clocklink/ClockReadFancier.h"
#include "database/ClubDatabase.h"
#include "database/FancierLookup.h"
#include "database/SqlUtil.h"
#include "support/DeliveredClub.h"
#include "support/DeliveredDatabase.h"
#include <QSqlQuery>
#include <QTest>
#include <memory>

using namespace durvek;

namespace {

FancierBlock rawBlock(const QString& licence, const QString& name)
{
    FancierBlock b;
    b.licence = licence;
    b.name = name;
    b.address = QStringLiteral("Kerkstraat 1");
    b.zip = QStringLiteral("2000");
    b.city = QStringLiteral("Antwerpen");
    b.kxt = QStringLiteral("4.5");
    b.kyt = QStringLiteral("51.25");
    return b;
}

int32_t addFancier(const QSqlDatabase& db, const QString& licence)
{
    return int32_t(runStatement(db, QStringLiteral("INSERT INTO fanciers (Licence, Name) VALUES (?, 'x')"), {licence})
                       .lastInsertId()
                       .toLongLong());
}

void addPigeon(const QSqlDatabase& db, int32_t fancier, const QString& year, const QString& country,
               const QString& band, int nr)
{
    runStatement(db,
                 QStringLiteral("INSERT INTO pigeons (Fancier, Year, country, band, elcode, Nr) VALUES (?, ?, ?, ?, ?, ?)"),
                 {fancier, year, country, band, QStringLiteral("E%1").arg(nr), nr});
}

int pigeonCount(const QSqlDatabase& db, int32_t fancier)
{
    return queryValue(db, QStringLiteral("SELECT count(*) FROM pigeons WHERE Fancier = ?"), {fancier}).toInt();
}

} // namespace

class ClockJobStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::DeliveredClub> m_club;
    QSqlDatabase m_db;

private slots:
    void init()
    {
        m_club = std::make_unique<testing::DeliveredClub>();
        m_db = m_club->db();
    }
    void cleanup()
    {
        m_db = QSqlDatabase();
        m_club.reset();
    }

    void clockLicenceIsCleanedAndFilled()
    {
        QCOMPARE(licenceFromClock(rawBlock(QStringLiteral("1234\0\0\0\0"), QString())), QStringLiteral("12340000"));
        QCOMPARE(licenceFromClock(rawBlock(QStringLiteral("12\n34\t567"), QString())), QStringLiteral("12345670"));
        QCOMPARE(licenceFromClock(rawBlock(QStringLiteral("123456789"), QString())), QStringLiteral("12345678"));
    }

    void newFancierRowFromTheBlock()
    {
        const ClockFancierRow row = fancierRowFromClock(rawBlock(QStringLiteral("1234\0\0\0\0"), QStringLiteral("jo van\0dam")));
        QCOMPARE(row.licence, QStringLiteral("12340000"));
        // The clock's filling blanks are no part of the texts.
        QCOMPARE(row.name, QStringLiteral("jo vandam"));
        QCOMPARE(row.sort, QStringLiteral("JOVANDAM"));
        QCOMPARE(row.address, QStringLiteral("Kerkstraat 1"));
        QCOMPARE(row.zip, QStringLiteral("2000"));
        QCOMPARE(row.city, QStringLiteral("Antwerpen"));
        QCOMPARE(row.kx, QStringLiteral("4.500000"));
        QCOMPARE(row.ky, QStringLiteral("51.25000"));

        // A blank block still makes a row that can be found and sorted.
        const ClockFancierRow blank = fancierRowFromClock(rawBlock(QStringLiteral("        "), QString()));
        QCOMPARE(blank.licence, QStringLiteral("00"));
        QCOMPARE(blank.sort, QStringLiteral(" "));
    }

    void licenceLookupIsExact()
    {
        QCOMPARE(FindFancierByLicence(m_db, QString()), 0);
        const int32_t empty = addFancier(m_db, QString());
        QVERIFY(empty > 0);
        QCOMPARE(FindFancierByLicence(m_db, QString()), 0);

        const int32_t first = addFancier(m_db, QStringLiteral("AB12CD34"));
        addFancier(m_db, QStringLiteral("AB12CD34"));
        const int32_t quote = addFancier(m_db, QStringLiteral("O'Neil00"));
        QCOMPARE(FindFancierByLicence(m_db, QStringLiteral("AB12CD34")), first);
        QCOMPARE(FindFancierByLicence(m_db, QStringLiteral("ab12cd34")), 0);
        QCOMPARE(FindFancierByLicence(m_db, QStringLiteral("AB12CD3")), 0);
        QCOMPARE(FindFancierByLicence(m_db, QStringLiteral("AB12CD3%")), 0);
        QCOMPARE(FindFancierByLicence(m_db, QStringLiteral("O'Neil00")), quote);
        QCOMPARE(FindFancierByLicence(m_db, QStringLiteral("x' OR '1'='1")), 0);
    }

    void readPigeonRows()
    {
        const int32_t id = addFancier(m_db, QStringLiteral("1"));
        addPigeon(m_db, id, QStringLiteral("07"), QStringLiteral("BE"), QStringLiteral("1"), 41);
        addPigeonFromClock(m_db, id, decodeSingleBlockRecord(QStringLiteral("0A1B2C3DBE 07-  12345F")));
        addPigeonFromClock(m_db, id, decodeMultiBlockRecord(QString(51, u' ') + QStringLiteral("0000012345BL"), 0));
        QSqlQuery q = runStatement(m_db,
                                   QStringLiteral("SELECT band, sex, color, volring, Nr FROM pigeons WHERE Fancier = ? "
                                                  "AND Nr > 41 ORDER BY Nr"),
                                   {id});
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("0  12345"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("F"));
        QVERIFY(q.value(2).isNull()); // the single-block clock keeps no colour
        QCOMPARE(q.value(3).toString(), QStringLiteral("BE07-0  12345F"));
        QCOMPARE(q.value(4).toInt(), 42);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("0000012345"));
        QCOMPARE(q.value(2).toString(), QStringLiteral("  BL"));
        QCOMPARE(q.value(4).toInt(), 43);
    }

    void pigeonsOfSeveralFanciersGoTogether()
    {
        const int32_t a = addFancier(m_db, QStringLiteral("1"));
        const int32_t b = addFancier(m_db, QStringLiteral("2"));
        const int32_t c = addFancier(m_db, QStringLiteral("3"));
        addPigeon(m_db, a, QStringLiteral("07"), QStringLiteral("BE"), QStringLiteral("1"), 1);
        addPigeon(m_db, b, QStringLiteral("07"), QStringLiteral("BE"), QStringLiteral("2"), 2);
        addPigeon(m_db, c, QStringLiteral("07"), QStringLiteral("BE"), QStringLiteral("3"), 3);
        QVERIFY(fancierHasPigeons(m_db, a));
        testing::addRefusingTrigger(m_db, QStringLiteral("keep_b"), QStringLiteral("BEFORE"), QStringLiteral("DELETE"),
                                    QStringLiteral("pigeons"), QStringLiteral("old.Fancier = %1").arg(b),
                                    QStringLiteral("kept"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, deletePigeonsOf(m_db, {a, b}));
        QCOMPARE(pigeonCount(m_db, a), 1);
        QCOMPARE(pigeonCount(m_db, b), 1);

        deletePigeonsOf(m_db, {a, c});
        QVERIFY(!fancierHasPigeons(m_db, a));
        QVERIFY(!fancierHasPigeons(m_db, c));
        QCOMPARE(pigeonCount(m_db, b), 1);
    }
};

QTEST_GUILESS_MAIN(ClockJobStoreTest)
#include "tst_clockjobs_store.moc"
