#include "clubresult/ClubResultPrinter.h"
#include "clubresult/ClubResultCsv.h"
#include "common/PagePrinter.h"
#include "common/TextCatalogue.h"
#include <array>

namespace durvek {

namespace {

const QString kFontName = QStringLiteral("Liberation Sans");
constexpr double kTitleSize = 14;
constexpr double kSize = 9;
constexpr double kLine = 4.8;
constexpr double kTop = 10;
constexpr double kBottomReserve = 15;

struct Column {
    double x;
    int alignment;
};

// Rank, fancier, band, distance, arrival, velocity, prize.
constexpr std::array<Column, 7> kColumns {{{12, PagePrinter::AlignEnd},
                                           {15, PagePrinter::AlignStart},
                                           {70, PagePrinter::AlignStart},
                                           {125, PagePrinter::AlignEnd},
                                           {130, PagePrinter::AlignStart},
                                           {185, PagePrinter::AlignEnd},
                                           {190, PagePrinter::AlignStart}}};

class ResultPages {
public:
    ResultPages(PagePrinter& page, const ClubResult& result, const QString& club)
        : m_page(page), m_result(result), m_club(club) {}

    void print()
    {
        startPage();
        for (const ClubResultLine& line : m_result.lines)
            printRow({QString::number(line.rank), line.fancierName, line.band,
                      metresText(line.distanceCm), arrivalText(line.arrival), velocityText(line.velocityMilli),
                      line.prize ? QStringLiteral("*") : QString()}, false);
        for (const ClubResultApart& apart : m_result.apart)
            printRow({QString(), apart.fancierName, apart.band, QString(), apartReasonText(apart.reason),
                      QString(), QString()}, false);
        m_page.endDocument();
    }

private:
    void text(double x, double y, const QString& value, double size, bool bold, int alignment)
    {
        m_page.PrintText(x, y, value, false, bold, false, size, kFontName, alignment, false);
    }

    void startPage()
    {
        if (m_y > 0)
            m_page.newPage();
        m_y = kTop;
        const RaceRelease& release = m_result.release;
        // A club without a name in Settings gets the bare title, not a lone dash.
        const QString club = m_club.trimmed();
        const QString title = club.isEmpty() ? GetText(160) : club + QStringLiteral(" - ") + GetText(160);
        text(0, m_y, title, kTitleSize, true, PagePrinter::AlignStart);
        m_y += 8;
        text(0, m_y, QStringLiteral("%1  %2   %3: %4   %5: %6")
                         .arg(release.raceName, release.raceDate.toString(QStringLiteral("dd-MM-yy")),
                              GetText(172), release.pointName, GetText(185),
                              release.releasedAt ? release.releasedAt->toString(QStringLiteral("dd-MM-yy HH:mm:ss"))
                                                 : QStringLiteral("-")),
             kSize + 1, false, PagePrinter::AlignStart);
        m_y += kLine + 1;
        text(0, m_y, GetText(180)
                         .arg(m_result.fancierCount).arg(m_result.pigeonCount).arg(m_result.prizeCount),
             kSize, false, PagePrinter::AlignStart);
        m_y += kLine + 2;
        printRow({GetText(133), GetText(1), GetText(181), GetText(183), GetText(186), GetText(184), GetText(182)},
                 true);
        text(m_page.pageWidth(), m_page.pageHeight() - 6,
             QString::number(m_page.pageNumber()), kSize - 1,
             false, PagePrinter::AlignEnd);
    }

    void printRow(const std::array<QString, 7>& cells, bool bold)
    {
        if (m_y + kLine > m_page.pageHeight() - kBottomReserve)
            startPage();
        for (size_t i = 0; i < cells.size(); ++i)
            text(kColumns[i].x, m_y, cells[i], kSize, bold, kColumns[i].alignment);
        m_y += kLine;
    }

    PagePrinter& m_page;
    const ClubResult& m_result;
    QString m_club;
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
