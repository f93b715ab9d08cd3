#include "results/ReportPrinter.h"
#include "common/PagePrinter.h"
#include "results/RaceData.h"

namespace durvek {

namespace {

const QString kFontName = QStringLiteral("Times New Roman");
constexpr double kTitleSize = 20.0;

constexpr double kLeft = 10.0;
constexpr double kTitleY = 10.0;
constexpr double kSerKlokY = 20.0;
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

} // namespace

QString reportFlightLine(const FlightEntry& flight)
{
    QString line = flight.flightCode + u' ' + flight.flightCode2 + u' ';
    for (const QString& detail : flight.details)
        line += detail + u' ';
    return line;
}

QString printableText(const QString& text)
{
    QString printable = text;
    for (QChar& c : printable) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    return printable;
}

ReportPrinter::ReportPrinter(PagePrinter& printer, const RaceData& data)
    : m_printer(printer)
    , m_data(data)
{
}

void ReportPrinter::print(const ReportSelection& selection)
{
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
    m_printer.endDocument();
}

void ReportPrinter::printHeading()
{
    printAt(kLeft, kTitleY, QStringLiteral("Durvek Print - Manager"), kTitleSize);
    printAt(kLeft, kSerKlokY, m_data.serKlok);
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
        nextLine(); // an empty line between the flights and the records
    }
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
    m_y = kBodyTop;
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

void ReportPrinter::printRecordRow(const ResultRecord& record)
{
    m_rowEnd = 0.0;
    printRecordCells(record, kSortKeyX);
    printCell(kStatusX, record.status);
    nextLine();
}

void ReportPrinter::printOverviewRow(int number, const ResultRecord& record)
{
    printAt(kRowNumberEnd, m_y, QString::number(number), 10.0, PagePrinter::AlignEnd);
    m_rowEnd = kRowNumberEnd;
    printRecordCells(record, kOverviewSortKeyX);
    nextLine();
}

// The cells every kind of row has; only the sort key's column differs.
void ReportPrinter::printRecordCells(const ResultRecord& record, double sortKeyX)
{
    printCell(kElcodeX, record.elcode);
    printCell(kBandX, record.band);
    printCell(kFlightCodeX, record.flightCode);
    printCell(kFlightCode2X, record.flightCode2);
    printCell(kArrivalDateX, record.arrivalDate);
    printCell(kArrivalTimeX, record.arrivalTime);
    printCell(sortKeyX, record.sortKey);
}

// The columns are narrow for texts of wide capitals: a four-letter race code
// is wider than the 8 mm its column has. A cell whose column starts inside
// the ink of the cell before it moves right to one space behind that ink
// instead of printing over it; cells that fit stay at their column.
void ReportPrinter::printCell(double column, const QString& text)
{
    const double gap = m_printer.textWidth(QStringLiteral(" "));
    const double x = m_rowEnd > 0.0 ? qMax(column, m_rowEnd + gap) : column;
    const QString printable = printableText(text);
    printAt(x, m_y, printable);
    qsizetype inked = printable.size();
    while (inked > 0 && printable.at(inked - 1) == u' ')
        --inked;
    m_rowEnd = x + m_printer.textWidth(printable.left(inked));
}

void ReportPrinter::printAt(double x, double y, const QString& text, double size, int alignment)
{
    m_printer.PrintText(x, y, printableText(text), false, false, false, size, kFontName, alignment, false);
}

void ReportPrinter::nextLine()
{
    m_y += kLineStep;
    if (m_y > m_printer.pageHeight() - kBottomMargin) {
        m_printer.newPage();
        m_y = kTopOfLaterPages;
    }
}

} // namespace durvek
