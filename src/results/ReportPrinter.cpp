#include "results/ReportPrinter.h"
#include "common/PageFrame.h"
#include "common/PagePrinter.h"
#include "results/ClockDateTime.h"
#include "results/RaceData.h"
#include <algorithm>

namespace durvek {

namespace {

const QString kFontName = QStringLiteral("Times New Roman");
constexpr double kTitleSize = 20.0;

constexpr double kLeft = PageFrame::kLeft;
constexpr double kTitleY = 10.0;
constexpr double kClockIdentityY = 20.0;
constexpr double kFancierY = 25.0;
constexpr double kAddressY = 30.0;
constexpr double kCityY = 35.0;
constexpr double kTimerCountY = 40.0;

// Columns of a record row, in millimetres from the left.
constexpr double kRowNumberEnd = 15.0;
constexpr double kElcodeX = 17.0;
constexpr double kBandX = 35.0;
constexpr double kFlightCodeX = 60.0;
constexpr double kFlightCode2X = 68.0;
constexpr double kArrivalDateX = 80.0;
constexpr double kArrivalTimeX = 100.0;
constexpr double kSortKeyX = 125.0;
constexpr double kOverviewSortKeyX = 135.0;
constexpr double kStatusX = 165.0;

// Catalogue texts of the column headings and the page foot.
constexpr int kElcodeText = 39;
constexpr int kBandText = 37;
constexpr int kRaceText = 93;
constexpr int kNumberText = 133;
constexpr int kDateText = 134;
constexpr int kTimeText = 135;
constexpr int kOrderText = 137;
constexpr int kKindText = 138;
constexpr int kPageOfText = 132;

// The captions of the report kinds, in ReportKind order.
constexpr int kReportKindTexts[] = {94, 93, 95, 96};

} // namespace

QString reportFlightLine(const FlightEntry& flight)
{
    QString line = flight.flightCode + u' ' + flight.flightCode2 + u' ';
    for (size_t i = 0; i < flight.details.size(); ++i) {
        const QString& detail = flight.details[i];
        line += (i == 0 ? readableClockDate(detail) : i == 1 ? readableClockTime(detail) : detail) + u' ';
    }
    return line;
}

QString printableText(const QString& text)
{
    const auto isControl = [](QChar c) { return c.unicode() < 0x20; };
    // Most texts are printable already and are handed on without a copy.
    if (std::none_of(text.begin(), text.end(), isControl))
        return text;
    QString printable = text;
    std::replace_if(printable.begin(), printable.end(), isControl, QChar(u' '));
    return printable;
}

QString reportSubject(ReportKind kind, const RaceData& data, const TextLookup& text)
{
    const int number = kReportKindTexts[int(kind)];
    const QString caption = text ? text(number) : QString::number(number);
    return printableText(caption + u' ' + data.clockLicence + u' ' + data.clockName).simplified();
}

ReportPrinter::ReportPrinter(PagePrinter& printer, const RaceData& data, ReportWording wording)
    : m_printer(printer)
    , m_data(data)
    , m_wording(std::move(wording))
{
}

void ReportPrinter::print(const ReportSelection& selection)
{
    m_counting = true;
    layOut(selection);
    m_pageCount = m_page;
    m_counting = false;
    layOut(selection);
    printPageFoot();
    m_printer.endDocument();
}

void ReportPrinter::layOut(const ReportSelection& selection)
{
    m_page = 1;
    m_inRecords = false;
    m_y = kBodyTop;
    printHeading();
    switch (selection.kind) {
    case ReportKind::NotArrived:
    case ReportKind::Race:
        printFlightScoped(selection.kind, selection.scope(), selection.flightIndex);
        break;
    case ReportKind::Training:
        printTraining();
        break;
    case ReportKind::Overview:
        printOverview();
        break;
    }
}

void ReportPrinter::printHeading()
{
    QString title = QStringLiteral("Durvek Print - Manager");
    if (!m_wording.clubName.trimmed().isEmpty())
        title += QStringLiteral(" - ") + m_wording.clubName.trimmed();
    printAt(kLeft, kTitleY, title, kTitleSize);
    printAt(kLeft, kClockIdentityY, m_data.clockIdentity);
    printAt(kLeft, kFancierY, m_data.clockLicence + u' ' + m_data.clockName);
    printAt(kLeft, kAddressY, m_data.clockAddress);
    printAt(kLeft, kCityY, m_data.clockZip + u' ' + m_data.clockCity);
}

void ReportPrinter::printFlightScoped(ReportKind kind, ReportScope scope, int flightIndex)
{
    const bool oneFlight = scope == ReportScope::OneFlight;
    QString flightKey;
    if (oneFlight) {
        // No flight chosen (or none read any more): the heading alone.
        if (flightIndex < 0 || flightIndex >= m_data.flightCount())
            return;
        const FlightEntry& flight = m_data.flights[flightIndex];
        printAt(kLeft, kBodyTop, reportFlightLine(flight));
        flightKey = flight.key();
        m_y = kBodyTop + kLineStep;
    } else {
        m_y = kBodyTop;
        printAllFlightLines();
    }
    // All flights: the headings stand on the empty line between the flights
    // and the records.
    startRecords(false);
    for (const ResultRecord& record : m_data.results) {
        if (!reportSelects(kind, record))
            continue;
        if (oneFlight && record.flightCode + record.flightCode2 != flightKey)
            continue;
        printRecordRow(record);
    }
}

void ReportPrinter::printTraining()
{
    // The headings take the line above the body, which training leaves empty.
    m_y = kBodyTop - kLineStep;
    startRecords(false);
    for (const ResultRecord& record : m_data.results) {
        if (reportSelects(ReportKind::Training, record))
            printRecordRow(record);
    }
}

void ReportPrinter::printOverview()
{
    printAt(kLeft, kTimerCountY, QStringLiteral("Aantal Timers : ") + QString::number(m_data.flightCount()));
    m_y = kBodyTop;
    printAllFlightLines();
    printAt(kLeft, m_y, QStringLiteral("Aantal Duiven : ") + QString::number(m_data.pigeonCount()));
    nextLine();
    startRecords(true);
    for (int i = 0; i < m_data.pigeonCount(); ++i)
        printOverviewRow(i + 1, m_data.results[i]);
}

// A clock can hold far more flights than fit under the heading, so flight
// lines go on to the next page like rows do rather than off the paper.
void ReportPrinter::printAllFlightLines()
{
    for (const FlightEntry& flight : m_data.flights) {
        printAt(kLeft, m_y, reportFlightLine(flight));
        nextLine();
    }
}

void ReportPrinter::startRecords(bool overview)
{
    m_overviewColumns = overview;
    m_inRecords = true;
    printColumnHeadings(overview);
    nextLine();
}

void ReportPrinter::printColumnHeadings(bool overview)
{
    startRow(0.0);
    if (overview) {
        printAt(kRowNumberEnd, m_y, QStringLiteral("#"), 10.0, PagePrinter::AlignEnd);
        startRow(kRowNumberEnd);
    }
    printCells({text(kElcodeText), text(kBandText), text(kRaceText), text(kNumberText), text(kDateText),
                text(kTimeText), text(kOrderText)},
               overview ? kOverviewSortKeyX : kSortKeyX);
    if (!overview)
        printCell(kStatusX, text(kKindText));
}

void ReportPrinter::printRecordRow(const ResultRecord& record)
{
    startRow(0.0);
    if (!m_counting) { // counting the pages needs the rows, not their texts
        printCells(recordCells(record), kSortKeyX);
        printCell(kStatusX, record.status);
    }
    nextLine();
}

void ReportPrinter::printOverviewRow(int number, const ResultRecord& record)
{
    if (!m_counting) { // counting the pages needs the rows, not their texts
        printAt(kRowNumberEnd, m_y, QString::number(number), 10.0, PagePrinter::AlignEnd);
        startRow(kRowNumberEnd);
        printCells(recordCells(record), kOverviewSortKeyX);
    }
    nextLine();
}

QStringList ReportPrinter::recordCells(const ResultRecord& record)
{
    // A pigeon that did not arrive has no arrival: the clock fills its date and
    // time with zeros, which read as a day that does not exist.
    const bool arrived = !reportSelects(ReportKind::NotArrived, record)
                         && record.arrivalDate != QLatin1String("000000");
    return {record.elcode,
            record.band,
            record.flightCode,
            record.flightCode2,
            arrived ? readableClockDate(record.arrivalDate) : QString(),
            arrived ? readableClockTime(record.arrivalTime) : QString(),
            record.sortKey};
}

// The cells every kind of row has, from the code to the sort key; only the
// sort key's column differs.
void ReportPrinter::printCells(const QStringList& cells, double sortKeyX)
{
    const double columns[] = {kElcodeX, kBandX, kFlightCodeX, kFlightCode2X, kArrivalDateX, kArrivalTimeX, sortKeyX};
    for (qsizetype i = 0; i < cells.size() && i < qsizetype(std::size(columns)); ++i)
        printCell(columns[i], cells[i]);
}

// The columns are narrow for texts of wide capitals: a four-letter race code
// is wider than the 8 mm its column has. A cell whose column starts inside
// the ink of the cell before it moves right to one space behind that ink
// instead of printing over it; cells that fit stay at their column.
void ReportPrinter::printCell(double column, const QString& text)
{
    if (m_counting)
        return;
    double x = column;
    const double rowEnd = inkEndOfRow();
    if (rowEnd > 0.0) {
        // Behind a cell of this row, so the last font used is the cells' font.
        if (m_cellGap < 0.0)
            m_cellGap = m_printer.textWidth(QStringLiteral(" "));
        x = qMax(column, rowEnd + m_cellGap);
    }
    const QString printable = printableText(text);
    printAt(x, m_y, printable);
    m_unmeasuredCell = PrintedCell{x, printable};
}

// Measured only once a cell follows, and still in the cells' font then: the
// printer has printed nothing since.
double ReportPrinter::inkEndOfRow()
{
    if (m_unmeasuredCell) {
        const auto& [x, printable] = *m_unmeasuredCell;
        qsizetype inked = printable.size();
        while (inked > 0 && printable.at(inked - 1) == u' ')
            --inked;
        // Without trailing blanks the ink ends where the printer stopped.
        m_rowEnd = inked == printable.size() ? m_printer.currentX() : x + m_printer.textWidth(printable.left(inked));
        m_unmeasuredCell.reset();
    }
    return m_rowEnd;
}

// A row whose ink so far ends at inkEnd (0: nothing printed yet).
void ReportPrinter::startRow(double inkEnd)
{
    m_rowEnd = inkEnd;
    m_unmeasuredCell.reset();
}

void ReportPrinter::printAt(double x, double y, const QString& text, double size, int alignment)
{
    if (m_counting)
        return;
    m_printer.PrintText(x, y, printableText(text), false, false, false, size, kFontName, alignment, false);
}

void ReportPrinter::printPageFoot()
{
    if (!m_counting)
        PageFrame::printFoot(m_printer, text(kPageOfText), m_page, m_pageCount, kFontName);
}

void ReportPrinter::nextLine()
{
    m_y += kLineStep;
    if (m_y <= m_printer.pageHeight() - kBottomMargin)
        return;
    printPageFoot();
    if (!m_counting)
        m_printer.newPage();
    ++m_page;
    m_y = kTopOfLaterPages;
    // Rows that go on to a new page get their column headings again.
    if (m_inRecords) {
        printColumnHeadings(m_overviewColumns);
        nextLine();
    }
}

QString ReportPrinter::text(int number) const
{
    return m_wording.text ? m_wording.text(number) : QString::number(number);
}

} // namespace durvek
