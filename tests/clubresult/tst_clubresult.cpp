// The club result: clocks collected into one race day, distances on the
// ellipsoid, clock checks, ranking, prizes and the CSV file.
#include "support/DeliveredClub.h"
#include "support/DeliveredDatabase.h"
#include "clubresult/ClubResultCollector.h"
#include "clubresult/ClubResultEntry.h"
#include "clubresult/ClubResultCsv.h"
#include "clubresult/ClubResultExport.h"
#include "clubresult/ClubResultStore.h"
#include "common/CsvWriter.h"
#include "clubresult/LoftDistance.h"
#include "clubresult/ClubResultPrinter.h"
#include "clubresult/ReleaseStore.h"
#include "clubresult/ui/AddToClubResultDialog.h"
#include "clubresult/ui/ClubResultWindow.h"
#include "clubresult/ui/ReleaseDialog.h"
#include "support/ModalAnswers.h"
#include "support/ServerClub.h"
#include "support/ShownCaption.h"
#include <QFileDialog>
#include <QPushButton>
#include "common/PagePrinter.h"
#include "support/PdfWords.h"
#include <QPdfWriter>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableView>
#include "database/SqlUtil.h"
#include "common/TextCatalogue.h"
#include "results/RaceData.h"
#include <QtTest>

using namespace durvek;
using testing::exec;
using testing::rows;

namespace {

constexpr int kRace = 1;
const QDate kRaceDay(2026, 6, 13);

// The release point in the degrees-minutes-seconds form federations publish.
const QString kReleaseLatitude = QStringLiteral("N 49°53'38.64\"");
const QString kReleaseLongitude = QStringLiteral("E 2°17'44.71\"");
// Another release typed into the entry dialog: point, latitude, longitude, time.
const QStringList kTypedRelease {"Arras", "N 50 17 28", "E 2 46 51", "06:45:00"};

QDateTime at(int day, const QString& time)
{
    return wallClock(QDate(2026, 6, day), QTime::fromString(time, QStringLiteral("HH:mm:ss")));
}

ResultRecord entry(const QString& band, const QString& flightKey, const QString& ddmmyy,
                   const QString& hhmmss, const QString& status)
{
    ResultRecord record;
    record.elcode = QStringLiteral("E") + band.mid(6, 7);
    record.band = band;
    record.flightCode = flightKey.left(4);
    record.flightCode2 = flightKey.mid(4, 4);
    record.arrivalDate = ddmmyy;
    record.arrivalTime = hhmmss;
    record.status = status;
    return record;
}

// A clock after its read-out: the race flight first, a training flight second.
RaceData clock(const QString& licence, const QList<ResultRecord>& records)
{
    RaceData data;
    data.clockLicence = licence.leftJustified(8);
    data.clockName = QStringLiteral("Fancier ") + licence;
    data.flights = {FlightEntry::fromFlightText(QStringLiteral("RAE10001")),
                    FlightEntry::fromFlightText(QStringLiteral("TRN10002"))};
    data.results = records;
    return data;
}

// Fanciers 1 to 4; the fourth has no loft coordinates.
void addFanciers(const QSqlDatabase& db)
{
    exec(db, "INSERT INTO fanciers (id, Licence, Name, sort, KYT, KXT) VALUES "
             "(1, '11111111', 'Anna Aerts', 'AERTSANNA', '51.08985', '04.42009'), "
             "(2, '22222222', 'Bert Bos', 'BOSBERT', '50.85034', '04.35171'), "
             "(3, '33333333', 'Cor Claes', 'CLAESCOR', '51.21989', '03.22424'), "
             "(4, '44444444', 'Dirk Dams', 'DAMSDIRK', '', '')");
}

// Three clocks with coordinates and one without: release 07:30:00, clock 3
// times its pigeon after midnight, clock 2 ran 48 s fast over the 24 hours
// from basketing to the check.
void collectEvening(const QSqlDatabase& db)
{
    addFanciers(db);
    saveReleasePoint(db, kRace, QStringLiteral("Noyon"), kReleaseLatitude, kReleaseLongitude);
    saveRaceDay(db, kRace, kRaceDay, QTime(7, 30));
    saveClockCheck(db, kRace, kRaceDay, 2, {at(12, "20:00:00"), at(13, "20:00:00"), 48});
    const QList<RaceData> clocks {
        clock("11111111", {entry("BE 24-1000001 ", "RAE10001", "130626", "101527", "1"),
                           entry("BE 24-1000002 ", "RAE10001", "130626", "102005", "!"),
                           entry("BE 24-1000009 ", "TRN10002", "120626", "090000", "5")}),
        clock("22222222", {entry("BE 23-2000001 ", "RAE10001", "130626", "110000", "1"),
                           entry("BE 23-2000002 ", "RAE10001", "      ", "      ", "2")}),
        clock("33333333", {entry("NL 22-3000001 ", "RAE10001", "140626", "051240", "1")}),
        clock("44444444", {entry("BE 24-4000001 ", "RAE10001", "130626", "093000", "1")}),
    };
    for (const RaceData& data : clocks)
        QVERIFY(addToClubResult(db, data, 0, kRace, kRaceDay).stored);
}

// The club result printed on A4 laid out from the paper's edge, as the preview does.
testing::PdfWords printed(const ClubResult& result, const QString& path)
{
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        PagePrinter page(&writer);
        printClubResult(page, result, "Club Zuid");
    }
    return testing::PdfWords::read(path);
}

} // namespace

class TestClubResult : public QObject {
    Q_OBJECT

private slots:
    // Expected values from GeodSolve -i -p 4 with the same points.
    void distancesAgreeWithGeodSolve_data()
    {
        QTest::addColumn<QString>("latitude");
        QTest::addColumn<QString>("longitude");
        QTest::addColumn<qint64>("centimetres");
        QTest::newRow("stored form") << "51.08985" << "04.42009" << qint64(20102722);
        QTest::newRow("rounded up") << "50.85034" << "04.35171" << qint64(18084156);
        QTest::newRow("degrees typed") << "N 51.21989" << "3.22424 E" << qint64(16149201);
        QTest::newRow("other hemispheres") << "S 33 54 00" << "151.2" << qint64(1691854557);
    }
    void distancesAgreeWithGeodSolve()
    {
        QFETCH(QString, latitude);
        QFETCH(QString, longitude);
        QFETCH(qint64, centimetres);
        const auto release = GeoPoint::parse(kReleaseLatitude, kReleaseLongitude);
        const auto loft = GeoPoint::parse(latitude, longitude);
        QVERIFY(release && loft);
        QCOMPARE(distanceCentimetres(*release, *loft), centimetres);
    }

    // Velocities worked out by hand: distance in m * 60 / flying time in s.
    void threeClocksGiveOneRankedResult()
    {
        testing::DeliveredClub club;
        exec(club.db(), "UPDATE settings SET Nominated = 1");
        collectEvening(club.db());
        const std::optional<ClubResult> result = loadClubResult(club.db(), kRace, kRaceDay);
        QVERIFY(result);
        QCOMPARE(result->fancierCount, 4);
        QCOMPARE(result->pigeonCount, 6); // the training entry is another flight's
        QCOMPARE(result->prizeCount, 2);  // one in four of 6, rounded up

        QStringList lines;
        for (const ClubResultLine& line : result->lines)
            lines << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                         .arg(line.rank).arg(line.band, metresText(line.distanceCm), arrivalText(line.arrival),
                                            flyingTimeText(line.flyingSeconds), velocityText(line.velocityMilli))
                         .arg(line.prize).arg(line.nominated);
        const QStringList expected {
            "1 BE 24-1000001 201027.22 13-06-26 10:15:27 2:45:27 1215.033 1 1",
            "2 BE 24-1000002 201027.22 13-06-26 10:20:05 2:50:05 1181.934 1 2",
            // 15 of 24 hours after basketing: 30 of the 48 seconds taken off.
            "3 BE 23-2000001 180841.56 13-06-26 10:59:30 3:29:30 863.206 0 1",
            "4 NL 22-3000001 161492.01 14-06-26 05:12:40 21:42:40 123.970 0 1",
        };
        QCOMPARE(lines, expected);
        QCOMPARE(result->apart.size(), 1);
        QCOMPARE(result->apart.at(0).fancierName, QStringLiteral("Dirk Dams"));
        QCOMPARE(result->apart.at(0).reason, ApartReason::NoLoftCoordinates);
    }

    void equalVelocitiesKeepTheEarlierArrival()
    {
        ClubResultInput input;
        input.release.point = GeoPoint {50.0, 4.0};
        input.release.releasedAt = at(13, "08:00:00");
        input.fanciers.insert(1, {"A", "1", GeoPoint {50.5, 4.0}});
        input.fanciers.insert(2, {"B", "2", GeoPoint {50.5, 4.0}});
        input.arrivals = {{1, "", "late", at(13, "09:00:01"), "1"},
                          {2, "", "second", at(13, "09:00:00"), "1"},
                          {1, "", "first", at(13, "09:00:00"), "1"}};
        const ClubResult result = computeClubResult(input);
        QStringList order;
        for (const ClubResultLine& line : result.lines)
            order << line.band;
        QCOMPARE(order, QStringList({"second", "first", "late"}));
    }

    void readingAClockAgainChangesNothing()
    {
        testing::DeliveredClub club;
        collectEvening(club.db());
        // Every field but the row's own number, which a replaced row gets anew.
        const QString all = QStringLiteral("SELECT race, racedate, fancier, elcode, band, arrivaldate, arrivaltime, "
                                           "status, nominationorder FROM clubarrivals ORDER BY fancier, band");
        const QStringList before = rows(club.db(), all);
        const RaceData again = clock("11111111", {entry("BE 24-1000001 ", "RAE10001", "130626", "101527", "1"),
                                                  entry("BE 24-1000002 ", "RAE10001", "130626", "102005", "!")});
        QVERIFY(addToClubResult(club.db(), again, 0, kRace, kRaceDay).stored);
        QCOMPARE(rows(club.db(), all), before);
    }

    void clockOfNoClubFancierIsRefused()
    {
        testing::DeliveredClub club;
        addFanciers(club.db());
        const CollectOutcome outcome = addToClubResult(
            club.db(), clock("99999999", {entry("BE 24-1000001 ", "RAE10001", "130626", "101527", "1")}), 0,
            kRace, kRaceDay);
        QVERIFY(!outcome.stored);
        QVERIFY2(outcome.message.contains("99999999"), qPrintable(outcome.message));
        QCOMPARE(queryValue(club.db(), "SELECT count(*) FROM clubarrivals").toInt(), 0);
    }

    void raceDayWithoutReleaseTimeIsListedApart()
    {
        testing::DeliveredClub club;
        collectEvening(club.db());
        saveRaceDay(club.db(), kRace, kRaceDay, std::nullopt);
        const std::optional<ClubResult> result = loadClubResult(club.db(), kRace, kRaceDay);
        QVERIFY(result);
        QVERIFY(result->lines.isEmpty());
        QCOMPARE(result->unavailable, std::optional(ApartReason::NoReleaseTime));
        QCOMPARE(result->apart.size(), 5);
        QVERIFY(!loadClubResult(club.db(), kRace, kRaceDay.addDays(1)));
    }

    void csvFieldsAreQuotedAsRfc4180Says_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << "Aerts" << "Aerts";
        QTest::newRow("comma") << "Aerts, Anna" << "\"Aerts, Anna\"";
        QTest::newRow("quote") << "Anna \"the flyer\"" << "\"Anna \"\"the flyer\"\"\"";
        QTest::newRow("line break") << "a\nb" << "\"a\nb\"";
        QTest::newRow("leading blank") << " 12" << "\" 12\"";
        QTest::newRow("accents") << "Désirée" << "Désirée";
    }
    void csvFieldsAreQuotedAsRfc4180Says()
    {
        QFETCH(QString, value);
        QFETCH(QString, written);
        CsvWriter csv;
        csv.addRecord({value, QStringLiteral("x")});
        QCOMPARE(csv.text(), written + ",x\r\n");
    }

    void csvHasAHeaderAndOneRowPerArrival()
    {
        testing::DeliveredClub club;
        collectEvening(club.db());
        const QList<QByteArray> lines = clubResultCsv(*loadClubResult(club.db(), kRace, kRaceDay)).split('\n');
        QCOMPARE(lines.size(), 1 + 5 + 1); // header, four ranked and one apart, then the last CR LF
        QVERIFY(lines.at(0).startsWith("Rank,Fancier,Licence,Band"));
        QCOMPARE(lines.at(4), QByteArray("4,Cor Claes,33333333,NL 22-3000001,E3000001,161492.01,"
                                         "14-06-26 05:12:40,21:42:40,123.970,,,\r")); // nominated marks off by default
        QVERIFY(lines.at(5).startsWith(",Dirk Dams,44444444,"));
    }

    // The dialog's entry: release data, check and entries go in together,
    // and a refused clock leaves even the release data unwritten.
    void clockEntryStoresReleaseAndCheckTogether()
    {
        testing::DeliveredClub club;
        addFanciers(club.db());
        const RaceData bert = clock("22222222", {entry("BE 23-2000001 ", "RAE10001", "130626", "110000", "1")});
        ClubResultEntry typed {kRace, kRaceDay, "Noyon", kReleaseLatitude, kReleaseLongitude, QTime(7, 30),
                               ClockCheck {at(12, "20:00:00"), at(13, "20:00:00"), 48}};
        QVERIFY(entryProblem(typed).isEmpty());
        const ClubResultEntry refusedTyped {kRace, kRaceDay, "Elsewhere", "N 1", "E 1", std::nullopt, std::nullopt};
        QVERIFY(!addClockToClubResult(club.db(), clock("99999999", bert.results), 0, refusedTyped).stored);
        QCOMPARE(queryValue(club.db(), "SELECT count(*) FROM releasepoints").toInt(), 0);

        QVERIFY(addClockToClubResult(club.db(), bert, 0, typed).stored);
        QCOMPARE(storedEntry(club.db(), kRace, kRaceDay).releaseTime, std::optional(QTime(7, 30)));
        QCOMPARE(loadClubResult(club.db(), kRace, kRaceDay)->lines.at(0).arrival, at(13, "10:59:30"));
        typed.check.reset(); // typed again without a deviation: no correction any more
        QVERIFY(addClockToClubResult(club.db(), bert, 0, typed).stored);
        QCOMPARE(loadClubResult(club.db(), kRace, kRaceDay)->lines.at(0).arrival, at(13, "11:00:00"));

        typed.latitude = "O 51 05 23";
        QCOMPARE(entryProblem(typed), GetText(124));
    }

    // A clock is often read days after its race: the dialog starts on the
    // flight's own day, and on the race that has that day stored already.
    void addDialogStartsOnTheFlightsDayAndRace_data()
    {
        QTest::addColumn<QString>("flightDate");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("race");
        const QDate today = QDate::currentDate();
        QTest::newRow("day stored for two races") << "120626" << QDate(2026, 6, 12) << 3;
        QTest::newRow("day of no race yet") << "050626" << QDate(2026, 6, 5) << 1;
        QTest::newRow("clock gave no day") << "000000" << today << 1;
    }
    void addDialogStartsOnTheFlightsDayAndRace()
    {
        QFETCH(QString, flightDate);
        QFETCH(QDate, day);
        QFETCH(int, race);
        testing::DeliveredClub club;
        for (int stored : {5, 3})
            saveRaceDay(club.db(), stored, QDate(2026, 6, 12), std::nullopt);
        saveRaceDay(club.db(), 2, QDate(2026, 6, 13), std::nullopt);
        AddToClubResultDialog dialog(club.db(), FlightEntry::fromFlightText("RAE10001" + flightDate), nullptr);
        QCOMPARE(dialog.findChild<QDateEdit*>("raceDay")->date(), day);
        QCOMPARE(dialog.findChild<QComboBox*>()->currentData().toInt(), race);
    }

    // Correcting the race day keeps the release the secretary typed, unless
    // that day's release was entered before; what the store filled in for the
    // previous day does not stay with the new one.
    void addDialogKeepsTypedReleaseOnAnotherDay_data()
    {
        QTest::addColumn<QDate>("newDay");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("typed, day with nothing stored") << QDate(2026, 6, 14) << true << kTypedRelease;
        QTest::newRow("typed, day entered before")
            << QDate(2026, 6, 13) << true << QStringList {"Noyon", kReleaseLatitude, kReleaseLongitude, "07:30:00"};
        QTest::newRow("filled in, day with nothing stored")
            << QDate(2026, 6, 14) << false << QStringList {"Noyon", kReleaseLatitude, kReleaseLongitude, ""};
    }
    void addDialogKeepsTypedReleaseOnAnotherDay()
    {
        QFETCH(QDate, newDay);
        QFETCH(bool, typed);
        QFETCH(QStringList, shown);
        testing::DeliveredClub club;
        saveReleasePoint(club.db(), kRace, "Noyon", kReleaseLatitude, kReleaseLongitude);
        saveRaceDay(club.db(), kRace, QDate(2026, 6, 12), QTime(8, 15));
        saveRaceDay(club.db(), kRace, kRaceDay, QTime(7, 30));
        AddToClubResultDialog dialog(club.db(), FlightEntry::fromFlightText("RAE10001120626"), nullptr);
        const QStringList fields {"releasePoint", "releaseLatitude", "releaseLongitude", "releaseTime"};
        for (qsizetype i = 0; typed && i < fields.size(); ++i) {
            auto* field = dialog.findChild<QLineEdit*>(fields.at(i));
            field->clear();
            QTest::keyClicks(field, kTypedRelease.at(i));
        }
        dialog.findChild<QDateEdit*>("raceDay")->setDate(newDay);
        for (qsizetype i = 0; i < fields.size(); ++i)
            QCOMPARE(dialog.findChild<QLineEdit*>(fields.at(i))->text(), shown.at(i));
    }

    // The window comes back to the latest race day clocks went into.
    void windowOpensOnTheLatestRaceDayWithEntries()
    {
        testing::DeliveredClub club;
        collectEvening(club.db());
        saveRaceDay(club.db(), 4, kRaceDay.addDays(7), QTime(8, 0)); // release data only, no clock yet
        const RaceData earlier = clock("11111111", {entry("BE 24-1000001 ", "RAE10001", "060626", "101527", "1")});
        QVERIFY(addToClubResult(club.db(), earlier, 0, 2, kRaceDay.addDays(-7)).stored);
        ClubResultWindow window(club.db(), nullptr);
        QCOMPARE(window.findChild<QDateEdit*>()->date(), kRaceDay);
        QCOMPARE(window.findChild<QComboBox*>()->currentData().toInt(), kRace);
        QCOMPARE(window.columnTexts(0), QStringList({"1", "2", "3", "4", ""}));
    }

    void windowSortsNumbersAsNumbers()
    {
        testing::DeliveredClub club;
        collectEvening(club.db());
        ClubResultWindow window(club.db(), nullptr);
        window.showRaceDay(kRace, kRaceDay);
        QCOMPARE(window.columnTexts(0), QStringList({"1", "2", "3", "4", ""}));
        auto* table = window.findChild<QTableView*>();
        table->sortByColumn(6, Qt::AscendingOrder); // velocity: 123.970 before 863.206
        QCOMPARE(window.columnTexts(6).mid(1), QStringList({"123.970", "863.206", "1181.934", "1215.033"}));
        table->sortByColumn(0, Qt::DescendingOrder); // turned round: the entry listed apart first
        QCOMPARE(window.columnTexts(0), QStringList({"", "4", "3", "2", "1"}));
    }

    // Another race or day chosen in an open window while the server is out of
    // reach: one box each, never the end of the program; the result window
    // empties its table rather than show the day before under the new date.
    void aLostServerConnectionInAnOpenWindowIsOneBoxEach()
    {
        if (!testing::onServer())
            QSKIP("about a server connection");
        testing::DeliveredClub club;
        collectEvening(club.db());
        ClubResultWindow window(club.db(), nullptr);
        window.showRaceDay(kRace, kRaceDay);
        ReleaseDialog release(club.db(), kRace, QStringLiteral("Noyon"), nullptr);
        AddToClubResultDialog add(club.db(), FlightEntry::fromFlightText("RAE10001120626"), nullptr);
        testing::ModalAnswers answers(testing::ModalAnswers::Decline);
        {
            const testing::ServerOutOfReach serverDown(club.db());
            window.findChild<QDateEdit*>()->setDate(kRaceDay.addDays(-7));
            release.findChild<QDateEdit*>()->setDate(kRaceDay.addDays(-7));
            add.findChild<QDateEdit*>(QStringLiteral("raceDay"))->setDate(kRaceDay.addDays(-7));
        }
        const QString lost = u'|' + GetText(306);
        QCOMPARE(answers.titlesAndTexts(),
                 QStringList({GetText(160) + lost, release.windowTitle() + lost, add.windowTitle() + lost}));
        QCOMPARE(window.columnTexts(0), QStringList());
    }

    // Nothing in the window changes when the CSV is saved: a sentence names the file.
    void savingTheCsvNamesTheFileWritten()
    {
        testing::DeliveredClub club;
        collectEvening(club.db());
        ClubResultWindow window(club.db(), nullptr);
        window.showRaceDay(kRace, kRaceDay);
        const QString path = club.folder() + QStringLiteral("/result.csv");
        testing::ModalAnswers answers(&window);
        answers.answer([path](QWidget* modal) {
            static_cast<QFileDialog*>(modal)->selectFile(path);
            static_cast<QDialog*>(modal)->accept();
        });
        answers.answerMessage(QMessageBox::Ok);
        const QList<QPushButton*> buttons = window.findChildren<QPushButton*>();
        const auto csv = std::find_if(buttons.begin(), buttons.end(),
                                      [](const QPushButton* button) { return testing::shownCaption(button) == "CSV"; });
        QVERIFY(csv != buttons.end());
        (*csv)->click();
        QVERIFY(QTest::qWaitFor([&answers] { return answers.pending() == 0; }, 3000));
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(answers.seen().size(), 1);
        QCOMPARE(answers.seen().first().text, QStringLiteral("File written: ") + QDir::toNativeSeparators(path));
    }

    void addDialogLabelsLeadToTheirFieldsByMnemonic()
    {
        testing::DeliveredClub club;
        AddToClubResultDialog dialog(club.db(), FlightEntry::fromFlightText(QStringLiteral("RAE10001")), nullptr);
        QCOMPARE(testing::mnemonicFaults(&dialog), QString());
        QCOMPARE(testing::mnemonicsOf(&dialog).size(), 9 + 2); // the fields' labels, OK and Cancel
    }

    void printoutHasHeadingAndOneLinePerArrival()
    {
        if (!testing::PdfWords::toolAvailable())
            QSKIP("pdftotext is not installed");
        testing::DeliveredClub club;
        collectEvening(club.db());
        const testing::PdfWords words = printed(*loadClubResult(club.db(), kRace, kRaceDay), club.folder() + "/result.pdf");
        QCOMPARE(words.pageCount(), 1);
        for (const char* word : {"Zuid", "Noyon", "07:30:00", "1215.033", "123.970", "201027.22", "coordinates"})
            QVERIFY2(words.contains(word), word);
        const testing::PdfWord last = words.find("123.970");
        QVERIFY(words.textAt(1, last.mm.top()).startsWith("4 Cor Claes NL 22-3000001 161492.01 14-06-26 05:12:40"));
    }

    // The nominated mark is printed as the window shows it, in a column of its
    // own inside the right margin; a club that does not mark them keeps its lines.
    void printoutMarksNominatedPigeonsWhenTheClubDoes_data()
    {
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QStringList>("endings"); // of the heading and the lines in rank order
        QTest::newRow("marked") << true << QStringList {"Prize 1/2", "* 1", "* 2", "863.206 1", "123.970 1"};
        QTest::newRow("not marked") << false << QStringList {"Prize", "*", "*", "863.206", "123.970"};
    }
    void printoutMarksNominatedPigeonsWhenTheClubDoes()
    {
        if (!testing::PdfWords::toolAvailable())
            QSKIP("pdftotext is not installed");
        QFETCH(bool, marked);
        QFETCH(QStringList, endings);
        testing::DeliveredClub club;
        collectEvening(club.db());
        exec(club.db(), marked ? "UPDATE settings SET Nominated = 1" : "UPDATE settings SET Nominated = 0");
        const testing::PdfWords words = printed(*loadClubResult(club.db(), kRace, kRaceDay), club.folder() + "/result.pdf");
        const double heading = words.find(GetText(133)).mm.top();
        for (qsizetype row = 0; row < endings.size(); ++row) {
            const double top = heading + row * 4.8; // the printout's line spacing
            QVERIFY2(words.textAt(1, top).endsWith(endings.at(row)), qPrintable(words.textAt(1, top)));
            QVERIFY(words.lineAt(1, top).last().mm.right() < 200.1);
        }
    }

    // The margins and the foot of the race reports: nothing closer than 10 mm
    // to the left or right edge, and "Page n of m" at the foot of every page.
    void printoutKeepsTheReportMarginsAndNumbersItsPages()
    {
        if (!testing::PdfWords::toolAvailable())
            QSKIP("pdftotext is not installed");
        testing::DeliveredClub club;
        collectEvening(club.db());
        ClubResult result = *loadClubResult(club.db(), kRace, kRaceDay);
        while (result.lines.size() < 80)
            result.lines.append(result.lines.first());
        const testing::PdfWords words = printed(result, club.folder() + "/result.pdf");
        QCOMPARE(words.pageCount(), 2);
        for (const testing::PdfWord& word : words.all())
            QVERIFY2(word.mm.left() > 9.9 && word.mm.right() < 200.1, qPrintable(word.text));
        QVERIFY(qAbs(words.find("Club").mm.left() - 10) < 0.1);
        QCOMPARE(words.textAt(1, 292), QStringLiteral("Page 1 of 2"));
        QCOMPARE(words.textAt(2, 292), QStringLiteral("Page 2 of 2"));
        QVERIFY(qAbs(words.lineAt(2, 292).last().mm.right() - 200) < 0.1);
    }

    // What a script gets from --club-result: the file, or a reason and no file.
    void exportWritesOnlyAnExistingResult_data()
    {
        QTest::addColumn<QString>("race");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("by number") << "1" << "13-06-26" << "";
        QTest::newRow("by abbreviation") << "RAE1" << "13-06-26" << "";
        QTest::newRow("day without entries") << "1" << "14-06-26" << "No club result for race 1 on 14-06-26";
        QTest::newRow("race not in the table") << "RA99" << "13-06-26" << "No race RA99 in the races table";
        QTest::newRow("no such day") << "1" << "31-02-26" << "The date 31-02-26 is not a day written as DD-MM-YY";
        QTest::newRow("four-digit year") << "1" << "13-06-2026" << "The date 13-06-2026 is not a day written as DD-MM-YY";
    }
    void exportWritesOnlyAnExistingResult()
    {
        QFETCH(QString, race);
        QFETCH(QString, date);
        QFETCH(QString, refusal);
        testing::DeliveredClub club;
        collectEvening(club.db());
        const QString path = club.folder() + "/result.csv";
        const ClubResultExportOutcome outcome = exportClubResult(club.db(), {race, date, path});
        QCOMPARE(outcome.message, refusal);
        QCOMPARE(outcome.written, refusal.isEmpty());
        QFile file(path);
        QCOMPARE(file.exists(), outcome.written);
        if (outcome.written) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), clubResultCsv(*loadClubResult(club.db(), kRace, kRaceDay)));
        }
    }
};

QTEST_MAIN(TestClubResult)
#include "tst_clubresult.moc"
