#pragma once
#include <optional>
#include "clocklink/JobContext.h"
#include "common/PageFrame.h"
#include "results/ReportSelection.h"
#include <QString>
#include <QStringList>

namespace durvek {

class PagePrinter;
struct FlightEntry;
struct RaceData;
struct ResultRecord;

// What a report says besides the clock's data: the club's name for the
// title, and the catalogue for the column headings and page numbers (the
// bare numbers when none is given).
struct ReportWording {
    QString clubName;
    TextLookup text;
};

// Lays out the print manager's four reports (overview, race, training, not
// arrived) in millimetres on a PagePrinter: the heading with the club and
// the clock's identity, the flight lines, the column headings and one row
// per selected record, 5 mm apart, and "Page n of m" at the foot of every
// page. Dates print as dd-mm-yy and times as hh:mm:ss. It prints whatever
// the last read-out or import left in memory and changes none of it.
class ReportPrinter {
public:
    static constexpr double kLineStep = 5.0;
    // A row that ends closer than this to the bottom of the printable area
    // sends the next one to a new page.
    static constexpr double kBottomMargin = PageFrame::kBottom;
    static constexpr double kTopOfLaterPages = PageFrame::kTop;
    static constexpr double kBodyTop = 45.0;

    ReportPrinter(PagePrinter& printer, const RaceData& data, ReportWording wording = {});

    // Prints the selected report and ends the document. Printer failures are
    // left in the PagePrinter (failed(), errorText()).
    void print(const ReportSelection& selection);

private:
    void layOut(const ReportSelection& selection);
    void printHeading();
    void printColumnHeadings(bool overview);
    void startRecords(bool overview);
    void printPageFoot();
    void printFlightScoped(ReportKind kind, ReportScope scope, int flightIndex);
    void printTraining();
    void printOverview();
    void printAllFlightLines();
    void printRecordRow(const ResultRecord& record);
    void printOverviewRow(int number, const ResultRecord& record);
    static QStringList recordCells(const ResultRecord& record);
    void printCells(const QStringList& cells, double sortKeyX);
    void printCell(double column, const QString& text);
    double inkEndOfRow();
    void startRow(double inkEnd);
    void printAt(double x, double y, const QString& text, double size = 10.0, int alignment = 0);
    void nextLine();
    QString text(int number) const;

    PagePrinter& m_printer;
    const RaceData& m_data;
    ReportWording m_wording;
    // The layout runs twice: once counting the pages without printing, then
    // printing with the count known.
    bool m_counting = false;
    int m_page = 1;
    int m_pageCount = 1;
    // Set once the record rows have begun: later pages repeat the column headings.
    bool m_inRecords = false;
    bool m_overviewColumns = false;
    double m_y = kBodyTop;
    double m_rowEnd = 0.0; // right edge of the ink of the row's last cell
    // The row's last cell while nobody needs its ink end yet: the last cell of
    // a row is never measured.
    struct PrintedCell {
        double x;
        QString text;
    };
    std::optional<PrintedCell> m_unmeasuredCell;
    double m_cellGap = -1.0; // a space in the cells' font, measured once
};

// A flight's line: FlightCode, FlightCode2 and the seven details as stored
// (fixed width, not trimmed), each followed by one space; the first two
// details, the flight's date and time, read as dd-mm-yy and hh:mm:ss.
QString reportFlightLine(const FlightEntry& flight);

// What a report is about, for its preview and file name: the report kind's
// caption, the clock's licence and name.
QString reportSubject(ReportKind kind, const RaceData& data, const TextLookup& text);

// The text as it goes on paper: control characters (the code-0 filling of
// fields a read-out never set among them) become spaces, so a blank record
// prints as blanks instead of the printer's placeholder glyphs.
QString printableText(const QString& text);

} // namespace durvek
