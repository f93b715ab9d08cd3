#include "clubresult/ClubResultPrinter.h"
#include "clubresult/ClubResultCsv.h"
#include "common/PageFrame.h"
#include "common/PagePrinter.h"
#include "common/TextCatalogue.h"
#include <array>

namespace durvek {

namespace {

const QString kFontName = QStringLiteral("Liberation Sans");
constexpr double kTitleSize = 14;
constexpr double kSize = 9;
constexpr double kLine = 4.8;
constexpr int kPageOfText = 132;

struct Column {
    double x;
    int alignment;
};

// Rank, fancier, band, distance, arrival, velocity, prize and the nominated
// mark, all inside the margins. The mark's column stays blank, heading
// included, when the club does not mark nominated pigeons.
constexpr std::array<Column, 8> kColumns {{{17, PagePrinter::AlignEnd},
                                           {19, PagePrinter::AlignStart},
                                           {70, PagePrinter::AlignStart},
                                           {118, PagePrinter::AlignEnd},
                                           {122, PagePrinter::AlignStart},
                                           {172, PagePrinter::AlignEnd},
                                           {176, PagePrinter::AlignStart},
                                           {192, PagePrinter::AlignCentre}}};
using Cells = std::array<QString, kColumns.size()>;

class ResultPages {
public:
    ResultPages(PagePrinter& printer, const ClubResult& result, const QString& club)
        : m_printer(printer), m_result(result), m_club(club) {}

    // The layout runs twice: once counting the pages without printing, then
    // printing with the count known for the foot of each page.
    void print()
    {
        m_counting = true;
        layOut();
        m_pageCount = m_page;
        m_counting = false;
        layOut();
        m_printer.endDocument();
    }

private:
    void layOut()
    {
        m_page = 0;
        startPage();
        for (const ClubResultLine& line : m_result.lines)
            printRow({QString::number(line.rank), line.fancierName, line.band,
                      metresText(line.distanceCm), arrivalText(line.arrival), velocityText(line.velocityMilli),
                      line.prize ? QStringLiteral("*") : QString(),
                      line.nominated ? QString::number(line.nominated) : QString()}, false);
        for (const ClubResultApart& apart : m_result.apart)
            printRow({QString(), apart.fancierName, apart.band, QString(), apartReasonText(apart.reason)}, false);
        printFoot();
    }

    void text(double x, double y, const QString& value, double size, bool bold, int alignment)
    {
        if (!m_counting)
            m_printer.PrintText(x, y, value, false, bold, false, size, kFontName, alignment, false);
    }

    void startPage()
    {
        if (m_page > 0) {
            printFoot();
            if (!m_counting)
                m_printer.newPage();
        }
        ++m_page;
        m_y = PageFrame::kTop;
        const RaceRelease& release = m_result.release;
        // A club without a name in Settings gets the bare title, not a lone dash.
        const QString club = m_club.trimmed();
        const QString title = club.isEmpty() ? GetText(160) : club + QStringLiteral(" - ") + GetText(160);
        text(PageFrame::kLeft, m_y, title, kTitleSize, true, PagePrinter::AlignStart);
        m_y += 8;
        text(PageFrame::kLeft, m_y, QStringLiteral("%1  %2   %3: %4   %5: %6")
                         .arg(release.raceName, release.raceDate.toString(QStringLiteral("dd-MM-yy")),
                              GetText(172), release.pointName, GetText(185),
                              release.releasedAt ? release.releasedAt->toString(QStringLiteral("dd-MM-yy HH:mm:ss"))
                                                 : QStringLiteral("-")),
             kSize + 1, false, PagePrinter::AlignStart);
        m_y += kLine + 1;
        text(PageFrame::kLeft, m_y, GetText(180)
                         .arg(m_result.fancierCount).arg(m_result.pigeonCount).arg(m_result.prizeCount),
             kSize, false, PagePrinter::AlignStart);
        m_y += kLine + 2;
        printRow({GetText(133), GetText(1), GetText(181), GetText(183), GetText(186), GetText(184), GetText(182),
                  m_result.nominatedMarked ? QStringLiteral("1/2") : QString()},
                 true);
    }

    void printFoot()
    {
        if (!m_counting)
            PageFrame::printFoot(m_printer, GetText(kPageOfText), m_page, m_pageCount, kFontName);
    }

    void printRow(const Cells& cells, bool bold)
    {
        if (m_y + kLine > m_printer.pageHeight() - PageFrame::kBottom)
            startPage();
        for (size_t i = 0; i < cells.size(); ++i)
            text(kColumns[i].x, m_y, cells[i], kSize, bold, kColumns[i].alignment);
        m_y += kLine;
    }

    PagePrinter& m_printer;
    const ClubResult& m_result;
    QString m_club;
    bool m_counting = false;
    int m_page = 0;
    int m_pageCount = 1;
    double m_y = 0;
};

} // namespace

void printClubResult(PagePrinter& page, const ClubResult& result, const QString& clubName)
{
    ResultPages(page, result, clubName).print();
}

QString clubResultSubject(const ClubResult& result)
{
    return QStringLiteral("%1 %2 %3").arg(GetText(160), result.release.raceName,
                                          result.release.raceDate.toString(QStringLiteral("dd-MM-yy")));
}

} // namespace durvek
