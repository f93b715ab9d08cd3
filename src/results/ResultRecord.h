#pragma once
#include <QString>

namespace durvek {

// One pigeon entry read from a clock: which band arrived in which flight,
// when, and of what kind. The fields keep their fixed widths and their order
// is the order of the pigeon file. A field never set holds code-0
// characters, so a blank record sorts before every real one.
struct ResultRecord {
    static constexpr int kPigeonTextWidth = 57;
    static constexpr int kSortKeyWidth = 42;

    QString elcode = zeros(8);       // electronic band code
    QString band = zeros(14);        // country (3), year (2), "-", number (7), a space
    QString flightCode = zeros(4);   // with flightCode2 the key of the flight
    QString flightCode2 = zeros(4);
    QString num1 = zeros(2);
    QString num2 = zeros(2);
    QString num3 = zeros(2);
    QString sex = zeros(1);          // " " or "V"
    QString arrivalDate = zeros(6);  // DDMMYY
    QString arrivalTime = zeros(6);  // HHMMSS
    QString spare = zeros(4);
    QString status = zeros(1);       // "1"/"!" race, "2" not arrived, "5" training
    QString spareByte = zeros(1);
    QString spare30 = zeros(30);
    QString sortKey = zeros(kSortKeyWidth); // YYMMDDHHMMSS, then spaces

    // The record of a 57-character pigeon text (padded with spaces and cut first).
    static ResultRecord fromPigeonText(const QString& pigeonText);

    bool operator==(const ResultRecord&) const = default;

    static QString zeros(int width) { return QString(width, QChar(0)); }
};

} // namespace durvek
