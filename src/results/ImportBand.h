#pragma once
#include <QString>
#include <optional>

namespace durvek {

// A pigeon's federation band as the import files it: the 14-character band
// text of a read-out record (country 1-3, two-digit year 4-5, "-", number 7-13).
struct ImportBand {
    QString country;      // the first 3 characters
    int year = 0;         // the year with its century
    // The year imports before this one filed the band under, when it differs
    // from year (0 otherwise): such a row is the same pigeon.
    int earlierYear = 0;
    QString bandNumber;   // characters 7-13, as the clock holds them
    QString fullBand;     // country and two-digit year, then the number, no "-"

    // The band, or nothing with error set when its year is not two digits.
    static std::optional<ImportBand> fromBandText(const QString& band, int thisYear, QString* error);
};

// The century of a two-digit band year: up to this year's two digits it is
// this century, above them the last one (in 2026: 00-26 are 2000-2026,
// 27-99 are 1927-1999).
int bandYear(int twoDigits, int thisYear);

// The rule imports used before: 00-19 were 2000-2019, 20-99 1920-1999.
int earlierBandYear(int twoDigits);

} // namespace durvek
