#pragma once
#include <QString>
#include <tuple>

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

    // Where the clock listed the entry (its pigeon query index). The clock
    // lists its pigeons in basketing order, which the read-out's sort by
    // arrival loses; the club result's nominated pigeons need it. Not part
    // of the pigeon file: -1 for records loaded from it.
    int clockEntry = -1;

    // The record of a 57-character pigeon text (padded with spaces and cut first).
    static ResultRecord fromPigeonText(const QString& pigeonText);

    // Records are equal when the pigeon file would hold the same bytes.
    bool operator==(const ResultRecord& other) const;

    static QString zeros(int width) { return QString(width, QChar(0)); }

private:
    auto fileFields() const
    {
        return std::tie(elcode, band, flightCode, flightCode2, num1, num2, num3, sex, arrivalDate, arrivalTime,
                        spare, status, spareByte, spare30, sortKey);
    }
};

inline bool ResultRecord::operator==(const ResultRecord& other) const { return fileFields() == other.fileFields(); }

} // namespace durvek
