// Members and pigeons written to CSV and read back: a list exported from one
// club database and imported into an empty one gives the same rows, and each
// line an import refuses carries its reason.
#include "ClubDataDatabase.h"
#include "clubdata/MemberCsv.h"
#include "clubdata/PigeonCsv.h"
#include "database/SqlUtil.h"
#include "fanciers/FancierRecord.h"
#include <QTest>

using namespace durvek;
using namespace durvek::test;

namespace {

QString texts(int number)
{
    static const QHash<int, QString> places {{281, "(%1,%2)"}, {283, "(%1,%2)"}, {286, "(%1)"}, {288, "(%1)"}};
    return QStringLiteral("T%1").arg(number) + places.value(number);
}

const QString kMemberRows = QStringLiteral(
    "SELECT Licence, Name, sort, Adress, zip, city, district, telephone, fax, email, Actief, "
    "coalesce(KXT, '<null>'), coalesce(KYT, '<null>') FROM fanciers ORDER BY Licence");
const QString kPigeonRows = QStringLiteral(
    "SELECT f.Licence, p.country, p.Year, p.band, p.sex, p.color, p.elcode, p.volring, p.Security, p.\"delete\" "
    "FROM pigeons p JOIN fanciers f ON f.id = p.Fancier ORDER BY f.Licence, p.Nr");

int32_t addMember(const QSqlDatabase& db, const QString& licence, const QString& name, const QString& city = {},
                  const QString& latitude = {}, const QString& longitude = {})
{
    FancierRecord f;
    f.licence = licence;
    f.name = name;
    f.city = city;
    f.kyt = latitude;
    f.kxt = longitude;
    return storeFancier(db, f);
}

// As the linking screen stores a pigeon.
void addPigeon(const QSqlDatabase& db, int32_t fancier, const QStringList& v) // country, year, band, sex, color, elcode
{
    runStatement(db,
                 QStringLiteral("INSERT INTO pigeons (Fancier, country, Year, band, sex, color, elcode, Security, "
                                "volring, Nr) VALUES (?, ?, ?, ?, ?, ?, ?, '00', ?, "
                                "(SELECT coalesce(max(Nr), 0) + 1 FROM pigeons))"),
                 {fancier, v[0], v[1], v[2], v[3], v[4], v[5], v[0] + v[1] + v[2]});
}

QString verdictName(CsvImportLine::Verdict verdict)
{
    switch (verdict) {
    case CsvImportLine::Verdict::Added: return QStringLiteral("added");
    case CsvImportLine::Verdict::Changed: return QStringLiteral("changed");
    case CsvImportLine::Verdict::Unchanged: return QStringLiteral("unchanged");
    case CsvImportLine::Verdict::Refused: break;
    }
    return QStringLiteral("refused");
}

QStringList shown(const CsvImport& import)
{
    QStringList lines;
    for (const CsvImportLine& line : import.lines())
        lines << QStringLiteral("%1:%2:%3").arg(line.line).arg(verdictName(line.verdict), line.detail);
    return lines;
}

} // namespace

class TestClubDataCsv : public QObject {
    Q_OBJECT

private slots:
    void exportThenImportGivesTheSameRows();
    void lineVerdicts_data();
    void lineVerdicts();
    void unusableFiles_data();
    void unusableFiles();
};

void TestClubDataCsv::exportThenImportGivesTheSameRows()
{
    QByteArray members;
    QByteArray pigeons;
    QStringList memberRows;
    QStringList pigeonRows;
    {
        ClubDataDatabase club;
        const int32_t a = addMember(club.db, "10234567", "Janssens, \"Piet\"", "Gent; Oost", "51.08985", "04.42009");
        const int32_t b = addMember(club.db, "1023-456", QString::fromUtf8("G\xC3\xA9rard M\xC3\xBCller"));
        addPigeon(club.db, a, {"BE", "24", "0123456789", "F", "BLAU", "0A1B2C3D"});
        addPigeon(club.db, a, {"  ", "23", "     12345", " ", "    ", "0A1B2C3E"});
        addPigeon(club.db, b, {"NL", "22", "0000000001", " ", "ROOD", ""});
        members = membersCsv(club.db);
        pigeons = pigeonsCsv(club.db);
        memberRows = club.rows(kMemberRows);
        pigeonRows = club.rows(kPigeonRows);
    }
    QCOMPARE(memberRows.size(), 2);
    QCOMPARE(pigeonRows.size(), 3);
    QVERIFY(members.startsWith("Licence,Name,Adress,Zip,City,District,Telephone,Fax,E-Mail,Latitude,Longitude\r\n"));

    ClubDataDatabase empty;
    const MemberImport memberImport(empty.db, members, &texts);
    QCOMPARE(shown(memberImport), QStringList({"2:added:", "3:added:"}));
    QCOMPARE(memberImport.store(), 2);
    const PigeonImport pigeonImport(empty.db, pigeons, &texts);
    QCOMPARE(pigeonImport.store(), 3);
    QCOMPARE(empty.rows(kMemberRows), memberRows);
    QCOMPARE(empty.rows(kPigeonRows), pigeonRows);

    // The same lists again change nothing.
    QCOMPARE(shown(MemberImport(empty.db, members, &texts)), QStringList({"2:unchanged:", "3:unchanged:"}));
    QCOMPARE(PigeonImport(empty.db, pigeons, &texts).store(), 0);
    QCOMPARE(empty.rows(kPigeonRows), pigeonRows);
}

void TestClubDataCsv::lineVerdicts_data()
{
    QTest::addColumn<bool>("pigeons");
    QTest::addColumn<QString>("lines");      // after the header; "|" between lines
    QTest::addColumn<QStringList>("verdicts"); // line:verdict:detail

    const QString tooLongName(41, u'x');
    QTest::newRow("member added") << false << "10234569,Nieuw,Gent,51 05 23.45 N" << QStringList({"2:added:"});
    QTest::newRow("member changed") << false << "10234567,A,Gent,N 51 05 23.45"
                                    << QStringList({"2:changed:T16, T122"});
    QTest::newRow("member unchanged") << false << "10234567, A ,," << QStringList({"2:unchanged:"});
    QTest::newRow("licence of seven") << false << "1023456,X,," << QStringList({"2:refused:T24"});
    QTest::newRow("licence with a letter") << false << "1023456A,X,," << QStringList({"2:refused:T24"});
    QTest::newRow("licence twice") << false << "10234569,X,,|10234569,Y,,"
                                   << QStringList({"2:added:", "3:refused:T280"});
    QTest::newRow("no name, then the same licence again") << false << "10234569,,Gent,|10234569,Nieuw,,"
                                                          << QStringList({"2:refused:T97", "3:added:"});
    QTest::newRow("name too long") << false << "10234569," + tooLongName + ",,"
                                   << QStringList({"2:refused:T283(T9,40)"});
    QTest::newRow("latitude unreadable") << false << "10234569,X,,51 05 O" << QStringList({"2:refused:T124"});

    QTest::newRow("other headers, the licence column preferred")
        << true << "|Fancier;Lic. ence;YE;ring_number;Colour|B;10234567;05;0000000007;rood"
        << QStringList({"3:added:"});
    QTest::newRow("pigeon added, year with century") << true << "10234567,be,2024,0000000009,M,,0a1b2c3f"
                                                     << QStringList({"2:added:"});
    QTest::newRow("pigeon changed") << true << "10234567,BE,24,0000000005,F,BLAU,11111111"
                                    << QStringList({"2:changed:T38, T67"});
    QTest::newRow("pigeon unchanged") << true << "10234567,BE,24,0000000005,,,11111111"
                                      << QStringList({"2:unchanged:"});
    QTest::newRow("unknown fancier") << true << "99999999,BE,24,0000000009,,," << QStringList({"2:refused:T17"});
    QTest::newRow("bad licence") << true << "ABC,BE,24,0000000009,,," << QStringList({"2:refused:T24"});
    QTest::newRow("year not a number") << true << "10234567,BE,2x,0000000009,,," << QStringList({"2:refused:T282"});
    QTest::newRow("year of one digit") << true << "10234567,BE,5,0000000009,,," << QStringList({"2:refused:T282"});
    QTest::newRow("no band") << true << "10234567,BE,24, ,,," << QStringList({"2:refused:T62"});
    QTest::newRow("band too long") << true << "10234567,BE,24,01234567890,,,"
                                   << QStringList({"2:refused:T283(T37,10)"});
    QTest::newRow("country too long") << true << "10234567,BELG,24,0000000009,,,"
                                      << QStringList({"2:refused:T283(T35,3)"});
    QTest::newRow("sex unknown") << true << "10234567,BE,24,0000000009,X,," << QStringList({"2:refused:T285"});
    QTest::newRow("chip code of seven") << true << "10234567,BE,24,0000000009,,,0A1B2C3"
                                        << QStringList({"2:refused:T284"});
    QTest::newRow("chip code not hexadecimal") << true << "10234567,BE,24,0000000009,,,0A1B2C3G"
                                               << QStringList({"2:refused:T284"});
    QTest::newRow("chip code of another fancier's pigeon")
        << true << "10234567,BE,24,0000000009,,,0A1B2C3D" << QStringList({"2:refused:T281(0A1B2C3D,10234568 B)"});
    QTest::newRow("chip code of another of the fancier's pigeons")
        << true << "10234567,BE,24,0000000009,,,11111111" << QStringList({"2:refused:T39 11111111T65"});
    QTest::newRow("chip code twice in the list")
        << true << "10234567,BE,24,0000000009,,,22222222|10234568,BE,24,0000000010,,,22222222"
        << QStringList({"2:added:", "3:refused:T281(22222222,10234567 A)"});
    QTest::newRow("band twice in the list") << true << "10234567,BE,24,0000000009,,,|10234567,BE,24,0000000009,F,,"
                                            << QStringList({"2:added:", "3:refused:T280"});
    QTest::newRow("a chip code handed on within the list")
        << true << "10234567,BE,24,0000000005,,,|10234567,BE,24,0000000009,,,11111111"
        << QStringList({"2:changed:T39", "3:refused:T39 11111111T65"});
}

void TestClubDataCsv::lineVerdicts()
{
    QFETCH(bool, pigeons);
    QFETCH(QString, lines);
    QFETCH(QStringList, verdicts);
    ClubDataDatabase club;
    const int32_t a = addMember(club.db, "10234567", "A");
    const int32_t b = addMember(club.db, "10234568", "B");
    addPigeon(club.db, a, {"BE", "24", "0000000005", " ", "", "11111111"});
    addPigeon(club.db, b, {"BE", "24", "0000000001", " ", "", "0A1B2C3D"});
    const QStringList before {club.rows(kMemberRows) + club.rows(kPigeonRows)};

    const QByteArray header = pigeons ? "Licence,Country,Year,Band,Sex,Color,Chip code\n" : "Licence,Name,City,Latitude\n";
    // Lines that begin with "|" bring their own header.
    const QByteArray bytes = (lines.startsWith(u'|') ? QByteArray() : header) + lines.toUtf8().replace('|', '\n');
    if (pigeons)
        QCOMPARE(shown(PigeonImport(club.db, bytes, &texts)), verdicts);
    else
        QCOMPARE(shown(MemberImport(club.db, bytes, &texts)), verdicts);
    // Checking stores nothing.
    QCOMPARE(club.rows(kMemberRows) + club.rows(kPigeonRows), before);
}

void TestClubDataCsv::unusableFiles_data()
{
    QTest::addColumn<bool>("pigeons");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fault");
    QTest::newRow("not UTF-8") << false << QByteArray("Licence,Name\n10234567,G\xE9rard\n") << "T287";
    QTest::newRow("open quote") << false << QByteArray("Licence,Name\n10234567,\"A\n") << "T288(2)";
    QTest::newRow("pigeon list as members") << false << QByteArray("Licence,Country,Year,Band\n") << "T286(Name)";
    QTest::newRow("no band column") << true << QByteArray("Licence;Year;Ring number x\n") << "T286(Band)";
    QTest::newRow("empty file") << true << QByteArray() << "T286(Licence)";
}

void TestClubDataCsv::unusableFiles()
{
    QFETCH(bool, pigeons);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fault);
    ClubDataDatabase club;
    if (pigeons) {
        const PigeonImport import(club.db, bytes, &texts);
        QCOMPARE(import.fault(), fault);
        QVERIFY(import.lines().isEmpty());
    } else {
        const MemberImport import(club.db, bytes, &texts);
        QCOMPARE(import.fault(), fault);
        QVERIFY(import.lines().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestClubDataCsv)
#include "tst_clubdata_csv.moc"
