#include "clocklink/StoredPigeonMatch.h"
#include "clocklink/FixedText.h"

namespace durvek {

namespace {

constexpr int kChipCodeWidth = 8;
constexpr int kCountryWidth = 3;
constexpr int kYearWidth = 2;

// The clock fills its fixed widths with blanks; the club database keeps none.
QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

} // namespace

PigeonRow rowFromClock(const ReadPigeon& pigeon)
{
    ReadPigeon stored = pigeon;
    stored.country = withoutTrailingBlanks(pigeon.country);
    const QVariant color = pigeon.color.isNull() ? QVariant() : QVariant(withoutTrailingBlanks(pigeon.color));
    return {pigeon.elcode, stored.country, pigeon.year, pigeon.band, pigeon.sex, color, QVariant(), stored.fullBand()};
}

bool isTheSamePigeon(const KnownPigeon& known, int32_t fancierId, const ReadPigeon& read)
{
    const PigeonRow& stored = known.row;
    return known.fancierId == fancierId && !read.clockBand.trimmed().isEmpty()
        && leftZeros(stored.elcode, kChipCodeWidth) == read.elcode
        && leftSpaces(stored.country, kCountryWidth) == leftSpaces(read.country, kCountryWidth)
        && leftZeros(stored.year, kYearWidth) == read.year
        && rightSpaces(stored.band, int(read.clockBand.size())) == read.clockBand;
}

PigeonRow keptRow(const KnownPigeon& known, const ReadPigeon& read)
{
    PigeonRow row = known.row;
    row.sex = read.sex;
    const QString colour = withoutTrailingBlanks(read.color);
    if (read.clockHoldsColour && colour.trimmed() != known.row.color.toString().trimmed())
        row.color = colour;
    return row;
}

} // namespace durvek
