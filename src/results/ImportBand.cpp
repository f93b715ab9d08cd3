#include "results/ImportBand.h"
#include "common/StrictNumber.h"

namespace durvek {

int bandYear(int twoDigits, int thisYear)
{
    const int century = thisYear - thisYear % 100;
    return twoDigits <= thisYear % 100 ? century + twoDigits : century - 100 + twoDigits;
}

int earlierBandYear(int twoDigits) { return twoDigits > 19 ? twoDigits + 1900 : twoDigits + 2000; }

std::optional<ImportBand> ImportBand::fromBandText(const QString& band, int thisYear, QString* error)
{
    const StrictNumber year = ReadStrictNumber(band.mid(3, 2), 0, 99);
    if (!year) {
        if (error)
            *error = QStringLiteral("band year: ") + year.error;
        return std::nullopt;
    }
    ImportBand b;
    b.country = band.left(3);
    b.year = bandYear(int(year.value), thisYear);
    const int earlier = earlierBandYear(int(year.value));
    b.earlierYear = earlier != b.year ? earlier : 0;
    b.bandNumber = band.mid(6, 7);
    b.fullBand = band.left(5) + b.bandNumber;
    return b;
}

} // namespace durvek
