#include "linking/GenerateBands.h"
#include "common/ValueHelpers.h"
#include "linking/GridEditing.h"
#include "linking/PigeonGrid.h"
#include <cmath>
#include <limits>

namespace durvek {

namespace {

constexpr int kBandLength = 10;
constexpr int kDefaultCountryText = 41;

// FieldNumber of text as a whole number; nothing when it is no number that
// fits 32 bits.
std::optional<int32_t> wholeNumber(const QString& text)
{
    const double number = FieldNumber(QVariant(text));
    if (!std::isfinite(number) || number < 0 || number > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(number);
}

int digitsOf(int32_t number)
{
    return int(QString::number(number).size());
}

} // namespace

QString BandRun::band(int32_t k) const
{
    const int width = kBandLength - int(prefix.size());
    return prefix + (QStringLiteral("0000000000") + QString::number(k)).right(width);
}

std::optional<BandRun> bandRunOf(const QString& fromText, const QString& toText)
{
    int p = int(fromText.size());
    while (p > 0 && fromText[p - 1].isDigit() && fromText[p - 1].unicode() < 128)
        --p;
    BandRun run;
    run.prefix = fromText.left(p);
    const std::optional<int32_t> start = wholeNumber(fromText.mid(p));
    const std::optional<int32_t> end = wholeNumber(toText);
    if (!start || !end || *start == 0 || *end == 0)
        return std::nullopt;
    run.start = *start;
    run.end = *end;
    const int width = kBandLength - int(run.prefix.size());
    if (width < 1 || run.size() > kLongestBandRun)
        return std::nullopt;
    if (run.size() > 0 && digitsOf(run.end) > width)
        return std::nullopt;
    return run;
}

int GenerateBands(PigeonGrid& grid, const QString& fromText, const QString& toText, const GridEditContext& context)
{
    const std::optional<BandRun> run = bandRunOf(fromText, toText);
    if (!run)
        return 0;
    if (grid.rowCount() < 2)
        grid.setRowCount(2);
    const QString thisYear = QString::number(context.calendarYear ? context.calendarYear() : 0).right(2);
    int written = 0;
    for (int64_t k = run->start; k <= run->end; ++k) {
        const int r = grid.rowCount() - 1;
        grid.setCurrentRow(r);
        grid.setCellText(r, PigeonGrid::kBandColumn, run->band(int32_t(k)));
        grid.setCellText(r, PigeonGrid::kNumberColumn, QString::number(r));
        if (grid.cellText(r, PigeonGrid::kCountryColumn).isEmpty())
            grid.setCellText(r, PigeonGrid::kCountryColumn, context.catalogue(kDefaultCountryText));
        if (grid.cellText(r, PigeonGrid::kYearColumn).isEmpty())
            grid.setCellText(r, PigeonGrid::kYearColumn, thisYear);
        if (FedBandInUse(grid, r, grid.federationBand(r), context.warn)) {
            grid.setCellText(r, PigeonGrid::kBandColumn, QString());
        } else {
            grid.addRow();
            ++written;
        }
    }
    return written;
}

} // namespace durvek
