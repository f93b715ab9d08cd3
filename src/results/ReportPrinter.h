#pragma once
#include "results/ReportSelection.h"
#include <QString>

namespace durvek {

class PagePrinter;
struct FlightEntry;
struct RaceData;
struct ResultRecord;

// Lays out the print manager's four reports (overview, race, training, not
// arrived) in millimetres on a PagePrinter: the heading with the clock's
// identity, the flight lines and one row per selected record, 5 mm apart.
// It prints whatever the last read-out or import left in memory and changes
// none of it.
class ReportPrinter {
public:
    static constexpr double kLineStep = 5.0;
    // A row that ends closer than this to the bottom of the printable area
    // sends the next one to a new page.
    static constexpr double kBottomMargin = 10.0;
    static constexpr double kTopOfLaterPages = 10.0;
    static constexpr double kBodyTop = 45.0;

    ReportPrinter(PagePrinter& printer, const RaceData& data);

    // Prints the selected report and ends the document. Printer failures are
    // left in the PagePrinter (failed(), errorText()).
    void print(const ReportSelection& selection);

private:
    void printHeading();
    void printFlightScoped(ReportKind kind, ReportScope scope, int flightIndex);
    void printTraining();
    void printOverview();
    void printAllFlightLines();
    void printRecordRow(const ResultRecord& record);
    void printOverviewRow(int number, const ResultRecord& record);
    void printRecordCells(const ResultRecord& record, double sortKeyX);
    void printCell(double column, const QString& text);
    void printAt(double x, double y, const QString& text, double size = 10.0, int alignment = 0);
    void nextLine();

    PagePrinter& m_printer;
    const RaceData& m_data;
    double m_y = kBodyTop;
    double m_rowEnd = 0.0; // right edge of the ink of the row's last cell
};

// A flight's line: FlightCode, FlightCode2 and the seven details as stored
// (fixed width, not trimmed), each followed by one space.
QString reportFlightLine(const FlightEntry& flight);

// The text as it goes on paper: control characters (the code-0 filling of
// fields a read-out never set among them) become spaces, so a blank record
// prints as blanks instead of the printer's placeholder glyphs.
QString printableText(const QString& text);

} // namespace durvek
