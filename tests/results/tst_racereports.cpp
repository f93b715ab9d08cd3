// The print manager's reports: which records each kind prints, where every
// text lands on the page (pdftotext -bbox of a PDF), page breaks, and the
// whole layout of each kind against golden files.
#include "common/PagePrinter.h"
#include "results/RaceData.h"
#include "results/ReportPrinter.h"
#include "results/ReportSelection.h"
#include "support/PdfWords.h"

#include <QFile>
#include <QHash>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace durvek;
using namespace durvek::testing;

namespace {

constexpr double kTolerance = 0.1; // mm
const QString kGoldenFolder = QStringLiteral(DURVEK_SOURCE_DIR "/tests/results/data/");

QString field(const QString& text, int width) { return text.left(width).leftJustified(width, u' '); }

// A 57-character flight text as a clock sends it: key, date, release time,
// distance, then the other details.
QString flightText(const QString& key, const QString& date, const QString& release, const QString& distance)
{
    return field(key + date + release + distance + QStringLiteral("    000000000000000000    0001"), 57);
}

// A 57-character pigeon text: code, band, sex, flight key, four values,
// arrival date and time, status.
QString pigeonText(const QString& elcode, const QString& band, QChar sex, const QString& key, const QString& date,
                   const QString& time, QChar status)
{
    return field(elcode, 8) + field(band, 13) + sex + key + QStringLiteral("00010000") + date + time + status;
}

ResultRecord pigeon(const QString& elcode, const QString& band, QChar sex, const QString& key, const QString& date,
                    const QString& time, QChar status)
{
    return ResultRecord::fromPigeonText(pigeonText(elcode, band, sex, key, date, time, status));
}

void setIdentity(RaceData& data)
{
    data.clockIdentity = field(QStringLiteral("CLOCK 0004711"), 20);
    data.clockLicence = QStringLiteral("10234567");
    data.clockName = field(QStringLiteral("Demo Fancier"), 25);
    data.clockAddress = field(QStringLiteral("Loftstraat 12"), 25);
    data.clockZip = field(QStringLiteral("9000"), 6);
    data.clockCity = field(QStringLiteral("Veldwijk"), 20);
}

// A race and a training flight with arrivals of every kind, in arrival order.
RaceData knownRace()
{
    RaceData data;
    setIdentity(data);
    data.flights = {FlightEntry::fromFlightText(flightText(QStringLiteral("NOYO0001"), QStringLiteral("150624"),
                                                           QStringLiteral("073000"), QStringLiteral("412345"))),
                    FlightEntry::fromFlightText(flightText(QStringLiteral("TRN10002"), QStringLiteral("080624"),
                                                           QStringLiteral("090000"), QStringLiteral("045000")))};
    data.results = {
        pigeon("55AA1234", "BE 24-2001234", u' ', "NOYO0001", "000000", "000000", u'2'),
        pigeon("0A1B2C3D", "BE 23-1234567", u' ', "TRN10002", "080624", "101455", u'5'),
        pigeon("6B7C8D9E", "NL 24-1709876", u'F', "TRN10002", "080624", "101502", u'5'),
        pigeon("1F2E3D4C", "BE 23-1234568", u'F', "NOYO0001", "150624", "112509", u'!'),
        pigeon("0A1B2C3D", "BE 23-1234567", u' ', "NOYO0001", "150624", "112731", u'1'),
        pigeon("00FF00FF", "BE 22-3012345", u' ', "TRN10002", "080624", "000000", u'2'),
    };
    return data;
}

// The delivered catalogue's texts for the headings and the page foot.
QString deliveredText(int number)
{
    static const QHash<int, QString> texts = {{37, "Fed. band"}, {39, "El. band"},   {93, "Race"},
                                              {132, "Page %1 of %2"}, {133, "No."}, {134, "Date"},
                                              {135, "Time"},  {137, "Order"},       {138, "Kind"}};
    return texts.value(number, QString::number(number));
}

const QString kRaceHeadings = QStringLiteral("El. band Fed. band Race No. Date Time Order Kind");

ReportSelection chosen(ReportKind kind, ReportScope scope = ReportScope::AllFlights, int flightIndex = -1)
{
    ReportSelection selection;
    selection.kind = kind;
    selection.raceScope = scope;
    selection.notArrivedScope = scope;
    selection.flightIndex = flightIndex;
    return selection;
}

} // namespace

class TestRaceReports : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    int printed = 0;

    // Prints the report into a PDF of the given page size without margins.
    PdfWords print(const RaceData& data, const ReportSelection& selection,
                   const QSizeF& pageMm = QSizeF(210, 297))
    {
        const QString path = folder.filePath(QStringLiteral("report%1.pdf").arg(++printed));
        {
            QPdfWriter writer(path);
            writer.setPageSize(QPageSize(pageMm, QPageSize::Millimeter));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
            PagePrinter printer(&writer);
            ReportPrinter(printer, data, ReportWording{QString(), &deliveredText}).print(selection);
            if (printer.failed())
                qWarning("printer: %s", qPrintable(printer.errorText()));
        }
        return PdfWords::read(path);
    }

    // The left edge of the word with this text on a line.
    static double leftOf(const PdfWords& words, int page, double y, const QString& text)
    {
        for (const PdfWord& word : words.lineAt(page, y)) {
            if (word.text == text)
                return word.mm.left();
        }
        return -1;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        if (!PdfWords::toolAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void flightLineKeepsTheFieldsAsStored()
    {
        FlightEntry flight = FlightEntry::fromFlightText(QStringLiteral("AB  0001      073000"));
        QCOMPARE(reportFlightLine(flight),
                 QStringLiteral("AB   0001        07:30:00 ") + QStringLiteral("       ").repeated(4)
                     + QStringLiteral("     "));
        // An entry the clock marked unusable holds code 0: it prints as blanks.
        QCOMPARE(printableText(reportFlightLine(FlightEntry())), QString(4 + 1 + 4 + 1 + 6 * 7 + 4 + 1, u' '));
        QCOMPARE(printableText(QStringLiteral("A") + QChar(0) + QChar(9) + QStringLiteral("é!")),
                 QStringLiteral("A  é!"));
    }

    void kindsSelectByStatus_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("kinds"); // O overview, R race, T training, N not arrived
        QTest::newRow("1 arrived in the race") << QStringLiteral("1") << QStringLiteral("OR");
        QTest::newRow("! arrived in the race") << QStringLiteral("!") << QStringLiteral("OR");
        QTest::newRow("2 not arrived") << QStringLiteral("2") << QStringLiteral("ON");
        QTest::newRow("5 training") << QStringLiteral("5") << QStringLiteral("OT");
        QTest::newRow("3 other kind") << QStringLiteral("3") << QStringLiteral("O");
        QTest::newRow("blank record") << QString(QChar(0)) << QStringLiteral("O");
    }
    void kindsSelectByStatus()
    {
        QFETCH(QString, status);
        QFETCH(QString, kinds);
        ResultRecord record;
        record.status = status;
        QString selecting;
        const std::pair<ReportKind, QChar> all[] = {{ReportKind::Overview, u'O'}, {ReportKind::Race, u'R'},
                                                    {ReportKind::Training, u'T'}, {ReportKind::NotArrived, u'N'}};
        for (const auto& [kind, letter] : all) {
            if (reportSelects(kind, record))
                selecting += letter;
        }
        QCOMPARE(selecting, kinds);
    }

    void headingOfEveryReport()
    {
        const PdfWords words = print(knownRace(), chosen(ReportKind::Training));
        QCOMPARE(words.textAt(1, 10), QStringLiteral("Durvek Print - Manager"));
        QVERIFY(qAbs(words.find(QStringLiteral("Durvek")).mm.left() - 10) < kTolerance);
        QVERIFY(words.find(QStringLiteral("Durvek")).mm.height() > 6); // 20 points
        QCOMPARE(words.textAt(1, 20), QStringLiteral("CLOCK 0004711"));
        QCOMPARE(words.textAt(1, 25), QStringLiteral("10234567 Demo Fancier"));
        QCOMPARE(words.textAt(1, 30), QStringLiteral("Loftstraat 12"));
        QCOMPARE(words.textAt(1, 35), QStringLiteral("9000 Veldwijk"));
        for (double y : {20.0, 25.0, 30.0, 35.0}) {
            const PdfWord first = words.lineAt(1, y).value(0);
            QVERIFY2(qAbs(first.mm.left() - 10) < kTolerance, qPrintable(first.text));
            QVERIFY2(first.mm.height() < 4.5, qPrintable(first.text)); // 10 points
        }
    }

    void beforeAnyReadoutOnlyTheTitleHeadingsAndFootPrint()
    {
        const PdfWords words = print(RaceData(), chosen(ReportKind::Race));
        QCOMPARE(words.pageCount(), 1);
        QCOMPARE(words.textAt(1, 10), QStringLiteral("Durvek Print - Manager"));
        QCOMPARE(words.textAt(1, 45), kRaceHeadings);
        QCOMPARE(words.textAt(1, 292), QStringLiteral("Page 1 of 1"));
        QCOMPARE(words.all().size(), 4 + 10 + 4);
    }

    void overviewNumbersEveryRecordUnderTheCounts()
    {
        RaceData data = knownRace();
        data.flights.append(FlightEntry()); // an entry the clock marked unusable: a blank line
        data.results = data.results.mid(3, 2);
        const PdfWords words = print(data, chosen(ReportKind::Overview));

        QCOMPARE(words.textAt(1, 40), QStringLiteral("Aantal Timers : 3"));
        QCOMPARE(words.textAt(1, 45), QStringLiteral("NOYO 0001 15-06-24 07:30:00 412345 000000 000000 000000 0001"));
        QCOMPARE(words.textAt(1, 50), QStringLiteral("TRN1 0002 08-06-24 09:00:00 045000 000000 000000 000000 0001"));
        QCOMPARE(words.textAt(1, 55), QString());
        QCOMPARE(words.textAt(1, 60), QStringLiteral("Aantal Duiven : 2"));
        QCOMPARE(words.textAt(1, 65), QStringLiteral("# El. band Fed. band Race No. Date Time Order"));
        QCOMPARE(words.textAt(1, 70), QStringLiteral("1 1F2E3D4C BE 23-1234568 NOYO 0001 15-06-24 11:25:09 240615112509"));
        QCOMPARE(words.textAt(1, 75), QStringLiteral("2 0A1B2C3D BE 23-1234567 NOYO 0001 15-06-24 11:27:31 240615112731"));
        QCOMPARE(words.textAt(1, 80), QString());

        // The number ends at 15 mm; the arrival key stands at 135 mm and no status follows.
        for (double y : {65.0, 70.0, 75.0}) {
            const QList<PdfWord> row = words.lineAt(1, y);
            QVERIFY(qAbs(row.first().mm.right() - 15) < kTolerance);
            QVERIFY(qAbs(row.last().mm.left() - 135) < kTolerance);
        }
        // "0001" follows the race code, which is wider than its column.
        const double columns[] = {17, 35, 60, 80, 100};
        const QStringList firstRow = {"1F2E3D4C", "BE", "NOYO", "15-06-24", "11:25:09"};
        const QStringList headings = {"El.", "Fed.", "Race", "Date", "Time"};
        for (int i = 0; i < firstRow.size(); ++i) {
            QVERIFY2(qAbs(leftOf(words, 1, 70, firstRow[i]) - columns[i]) < kTolerance, qPrintable(firstRow[i]));
            QVERIFY2(qAbs(leftOf(words, 1, 65, headings[i]) - columns[i]) < kTolerance, qPrintable(headings[i]));
        }
        QVERIFY(qAbs(leftOf(words, 1, 45, QStringLiteral("NOYO")) - 10) < kTolerance);
    }

    void overviewPrintsABlankRecordAsItsNumberOnly()
    {
        RaceData data = knownRace();
        data.results = {ResultRecord(), data.results[4]};
        const PdfWords words = print(data, chosen(ReportKind::Overview));
        QCOMPARE(words.textAt(1, 65), QStringLiteral("1"));
        QCOMPARE(words.textAt(1, 70).left(11), QStringLiteral("2 0A1B2C3D "));
    }

    void raceForAllFlightsListsTheFlightsThenTheArrivals()
    {
        const PdfWords words = print(knownRace(), chosen(ReportKind::Race, ReportScope::AllFlights));
        QCOMPARE(words.textAt(1, 40), QString());
        QVERIFY(words.textAt(1, 45).startsWith(QStringLiteral("NOYO 0001 ")));
        QVERIFY(words.textAt(1, 50).startsWith(QStringLiteral("TRN1 0002 ")));
        // The column headings stand on the empty line between flights and arrivals.
        QCOMPARE(words.textAt(1, 55), kRaceHeadings);
        QCOMPARE(words.textAt(1, 60), QStringLiteral("1F2E3D4C BE 23-1234568 NOYO 0001 15-06-24 11:25:09 240615112509 !"));
        QCOMPARE(words.textAt(1, 65), QStringLiteral("0A1B2C3D BE 23-1234567 NOYO 0001 15-06-24 11:27:31 240615112731 1"));
        QCOMPARE(words.textAt(1, 70), QString());
        QVERIFY(qAbs(leftOf(words, 1, 60, QStringLiteral("1F2E3D4C")) - 17) < kTolerance);
        QVERIFY(qAbs(leftOf(words, 1, 60, QStringLiteral("240615112509")) - 125) < kTolerance);
        QVERIFY(qAbs(leftOf(words, 1, 60, QStringLiteral("!")) - 165) < kTolerance);
        QVERIFY(qAbs(leftOf(words, 1, 55, QStringLiteral("Kind")) - 165) < kTolerance);
    }

    void raceForOneFlightTakesItsArrivalsOnly()
    {
        RaceData data = knownRace();
        // A blank entry first: the list shows no item for it, so the chosen
        // flight's index (1) is not the row of its item (0).
        data.flights.prepend(FlightEntry());
        const PdfWords words = print(data, chosen(ReportKind::Race, ReportScope::OneFlight, 1));
        QVERIFY(words.textAt(1, 45).startsWith(QStringLiteral("NOYO 0001 15-06-24")));
        QCOMPARE(words.textAt(1, 50), kRaceHeadings);
        // The not-arrived record of the same flight is left out, "!" and "1" are in.
        QCOMPARE(words.textAt(1, 55).left(8), QStringLiteral("1F2E3D4C"));
        QCOMPARE(words.textAt(1, 60).left(8), QStringLiteral("0A1B2C3D"));
        QCOMPARE(words.textAt(1, 65), QString());
        QVERIFY(words.find(QStringLiteral("55AA1234")).text.isEmpty());
    }

    // The clock times a pigeon that did not arrive with zeros, or with the
    // flight's date and a time of zeros: its date and time cells stay blank.
    void pigeonsThatDidNotArrivePrintNoArrivalTime_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("flight");
        QTest::newRow("overview") << int(ReportKind::Overview) << 0 << -1;
        QTest::newRow("not arrived, all flights") << int(ReportKind::NotArrived) << 0 << -1;
        QTest::newRow("not arrived, the race") << int(ReportKind::NotArrived) << 1 << 0;
        QTest::newRow("not arrived, the training") << int(ReportKind::NotArrived) << 1 << 1;
    }
    void pigeonsThatDidNotArrivePrintNoArrivalTime()
    {
        QFETCH(int, kind);
        QFETCH(int, scope);
        QFETCH(int, flight);
        const PdfWords words = print(knownRace(), chosen(ReportKind(kind), ReportScope(scope), flight));
        int rowsSeen = 0;
        for (const QString code : {"55AA1234", "00FF00FF"}) {
            const PdfWord first = words.find(code);
            if (first.text.isEmpty())
                continue;
            ++rowsSeen;
            for (const PdfWord& word : words.lineAt(1, first.mm.top()))
                QVERIFY2(word.mm.left() < 79 || word.mm.left() > 120, qPrintable(code + u' ' + word.text));
        }
        QCOMPARE(rowsSeen, flight < 0 ? 2 : 1);
        // The arrivals of the overview keep theirs.
        QCOMPARE(words.contains(QStringLiteral("11:25:09")), kind == int(ReportKind::Overview));
    }

    void oneFlightWithoutAChoiceGivesTheHeadingOnly()
    {
        for (int flightIndex : {-1, 7}) {
            const PdfWords words = print(knownRace(), chosen(ReportKind::NotArrived, ReportScope::OneFlight, flightIndex));
            QCOMPARE(words.pageCount(), 1);
            for (const PdfWord& word : words.all())
                QVERIFY2(word.mm.top() < 40 || word.mm.top() > 290, qPrintable(word.text));
        }
    }

    void wideCellsMoveRightInsteadOfOverprinting()
    {
        RaceData data;
        data.results = {pigeon("DDDDDDDD", "BE 23-1234568", u' ', "NOYO0001", "150624", "112509", u'1'),
                        pigeon("11111111", "BE 23-1234567", u' ', "12340001", "150624", "112731", u'1')};
        const PdfWords words = print(data, chosen(ReportKind::Race));
        const QList<PdfWord> wide = words.lineAt(1, 50);
        const QList<PdfWord> narrow = words.lineAt(1, 55);
        QCOMPARE(wide.size(), 9);
        QCOMPARE(narrow.size(), 9);
        for (int i = 1; i < wide.size(); ++i)
            QVERIFY2(wide[i].mm.left() > wide[i - 1].mm.right() + 0.5, qPrintable(wide[i].text));
        // Cells that fit keep their columns, and a move does not carry on
        // past the cell that needed it.
        const double columns[] = {17, 35, 40.4, 60, 68, 80, 100, 125, 165};
        for (int i = 0; i < narrow.size(); ++i) {
            QVERIFY2(qAbs(narrow[i].mm.left() - columns[i]) < 0.2, qPrintable(narrow[i].text));
            if (i >= 7)
                QVERIFY2(qAbs(wide[i].mm.left() - columns[i]) < 0.2, qPrintable(wide[i].text));
        }
        QVERIFY(wide[1].mm.left() > 35.5);
        QVERIFY(wide[4].mm.left() > 68.5);
    }

    void rowsGoOnOnTheNextPage()
    {
        // 47 rows: 45 .. 275 under the headings at 40 on a page of 287 mm, where 280 would pass 277.
        RaceData data;
        for (int i = 0; i < 48; ++i) {
            data.results.append(pigeon(QStringLiteral("%1").arg(i, 8, 10, QChar(u'0')), "BE 24-1000000", u' ',
                                       "TRN10002", "080624", "101455", u'5'));
        }
        const PdfWords words = print(data, chosen(ReportKind::Training), QSizeF(210, 287));
        QCOMPARE(words.pageCount(), 2);
        QCOMPARE(words.textAt(1, 275).left(8), QStringLiteral("00000046"));
        QCOMPARE(words.textAt(1, 280), QString());
        QCOMPARE(words.textAt(1, 282), QStringLiteral("Page 1 of 2"));
        // The heading is not repeated, the column headings are.
        QCOMPARE(words.textAt(2, 10), kRaceHeadings);
        QCOMPARE(words.textAt(2, 15).left(8), QStringLiteral("00000047"));
        QCOMPARE(words.textAt(2, 282), QStringLiteral("Page 2 of 2"));
        QVERIFY(words.find(QStringLiteral("Durvek"), 2).text.isEmpty());
    }

    void aLongFlightListGoesOnOnTheNextPage()
    {
        RaceData data;
        for (int i = 0; i < 50; ++i) {
            data.flights.append(FlightEntry::fromFlightText(
                flightText(QStringLiteral("F%1").arg(i, 3, 10, QChar(u'0')) + QStringLiteral("0001"),
                           QStringLiteral("150624"), QStringLiteral("073000"), QStringLiteral("412345"))));
        }
        data.results = {pigeon("0A1B2C3D", "BE 23-1234567", u' ', "F0490001", "150624", "112731", u'1')};
        const PdfWords words = print(data, chosen(ReportKind::Race), QSizeF(210, 287));
        QCOMPARE(words.pageCount(), 2);
        QCOMPARE(words.textAt(1, 275).left(4), QStringLiteral("F046"));
        QCOMPARE(words.textAt(2, 10).left(4), QStringLiteral("F047"));
        QCOMPARE(words.textAt(2, 20).left(4), QStringLiteral("F049"));
        // the empty line, then the arrival
        QCOMPARE(words.textAt(2, 30).left(8), QStringLiteral("0A1B2C3D"));
    }

    void wholePagesMatchTheGoldenLayout_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("flight");
        QTest::addColumn<QString>("golden");
        QTest::newRow("overview") << int(ReportKind::Overview) << 0 << -1 << QStringLiteral("report-overview.layout");
        QTest::newRow("race, all flights") << int(ReportKind::Race) << 0 << 0 << QStringLiteral("report-race-all.layout");
        QTest::newRow("race, one flight") << int(ReportKind::Race) << 1 << 0 << QStringLiteral("report-race-flight.layout");
        // Records of every flight, the first at 45 mm, no flight line.
        QTest::newRow("training") << int(ReportKind::Training) << 0 << -1 << QStringLiteral("report-training.layout");
        QTest::newRow("not arrived, one flight")
            << int(ReportKind::NotArrived) << 1 << 1 << QStringLiteral("report-notarrived-flight.layout");
    }
    void wholePagesMatchTheGoldenLayout()
    {
        QFETCH(int, kind);
        QFETCH(int, scope);
        QFETCH(int, flight);
        QFETCH(QString, golden);
        const QStringList actual =
            print(knownRace(), chosen(ReportKind(kind), ReportScope(scope), flight)).layoutLines();
        QFile file(kGoldenFolder + golden);
        if (qEnvironmentVariableIsSet("DURVEK_UPDATE_GOLDEN")) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(actual.join(u'\n').toUtf8() + '\n');
            QSKIP("golden file written");
        }
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(golden));
        const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        const QString difference = compareLayout(expected, actual, 0.2);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
};

QTEST_MAIN(TestRaceReports)
#include "tst_racereports.moc"
