#include "linking/LinkingPrintout.h"
#include "common/PagePrinter.h"
#include "common/ValueHelpers.h"
#include "linking/LookupText.h"
#include "linking/PigeonGrid.h"
#include "linking/PigeonGridLoad.h"

namespace durvek {

namespace {

const QString kFont = QStringLiteral("Times New Roman");
constexpr double kLeft = 2;
constexpr double kRightColumn = 100;
constexpr double kLineStep = 5;
constexpr double kFirstRowY = 36;
constexpr double kBottomMargin = 10;
constexpr double kPageNumberRise = 6;

class LinkingListPrinter {
public:
    LinkingListPrinter(PagePrinter& printer, const PigeonGrid& grid, const QStringList& fancierLines,
                       const TextLookup& text)
        : m_printer(printer), m_grid(grid), m_fancierLines(fancierLines), m_text(text)
    {
    }

    void print()
    {
        printPageHeader();
        double y = kFirstRowY;
        for (int r = 1; r < m_grid.rowCount(); ++r) {
            printRow(r, y, r % 2 == 0 ? kRightColumn : 0);
            if (r % 2 == 0)
                y += kLineStep;
            if (m_printer.pageHeight() - kBottomMargin < y) {
                printPageNumber();
                m_printer.newPage();
                printPageHeader();
                y = kFirstRowY;
            }
        }
        m_printer.endDocument();
    }

private:
    QString catalogue(int number) const { return lookupText(m_text, number); }

    void text(double x, double y, const QString& text, bool bold, double size, int alignment = PagePrinter::AlignStart)
    {
        m_printer.PrintText(x, y, text, false, bold, false, size, kFont, alignment, false, QColor(Qt::black));
    }

    void printPageHeader()
    {
        text(kLeft, 5, catalogue(66), true, 20);
        const double lineY[] = {13, 19, 25};
        for (int i = 0; i < 3; ++i)
            text(kLeft, lineY[i], m_fancierLines.value(i), true, 15);
        for (double offset : {0.0, kRightColumn}) {
            text(offset + 2, 31, QStringLiteral(" #"), false, 10);
            text(offset + 10, 31, catalogue(37), false, 10);
            text(offset + 50, 31, catalogue(38), false, 10);
            text(offset + 60, 31, catalogue(39), false, 10);
        }
    }

    void printRow(int r, double y, double offset)
    {
        auto cell = [this, r](int column) { return TextOrDefault(m_grid.cellText(r, column), QStringLiteral(" ")); };
        const QString federationBand = cell(PigeonGrid::kCountryColumn) + u'-' + cell(PigeonGrid::kYearColumn) + u'-'
                                     + cell(PigeonGrid::kBandColumn);
        text(offset + 2, y, QString::number(r), false, 10);
        text(offset + 10, y, federationBand, false, 10);
        text(offset + 60, y, cell(PigeonGrid::kChipCodeColumnIndex), false, 10);
        text(offset + 50, y, cell(PigeonGrid::kSexColumn), false, 10);
    }

    void printPageNumber()
    {
        text(m_printer.pageWidth() - kLeft, m_printer.pageHeight() - kPageNumberRise,
             QString::number(m_printer.pageNumber()), true, 8, PagePrinter::AlignEnd);
    }

    PagePrinter& m_printer;
    const PigeonGrid& m_grid;
    const QStringList& m_fancierLines;
    const TextLookup& m_text;
};

} // namespace

void printLinkingList(PagePrinter& printer, const PigeonGrid& grid, const QStringList& fancierLines,
                      const TextLookup& text)
{
    LinkingListPrinter(printer, grid, fancierLines, text).print();
}

QString linkingListSubject(const QSqlDatabase& db, int32_t fancierId, const TextLookup& text)
{
    return (lookupText(text, 66) + u' ' + fancierLicenceAndName(db, fancierId)).simplified();
}

} // namespace durvek
