#pragma once
#include <QString>

namespace durvek {

// A pigeon's federation band as the import files it: the 14-character band
// text of a read-out record (country 1-3, two-digit year 4-5, "-", number 7-13).
struct ImportBand {
    QString land;         // the first 3 characters
    int jaar = 0;         // the year with its century
    QString ringnummer;   // characters 7-13, as the clock holds them
    QString ringcompleet; // country and two-digit year, then the number, no "-"

    static ImportBand fromBandText(const QString& band);
};

// The century rule of the two-digit band year: 00-19 are 2000-2019, 20-99
// are 1920-1999. yearText is read as a number the lenient way (spaces
// skipped, reading stops at the first character that is not a digit, nothing
// readable is 0).
int bandYear(const QString& yearText);

} // namespace durvek
