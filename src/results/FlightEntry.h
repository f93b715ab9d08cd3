#pragma once
#include <QString>
#include <array>

namespace durvek {

// One flight ("timer") held in a clock, cut from the 57-character flight text
// the clock answers the race query with. FlightCode and FlightCode2 together
// are the key the pigeon records point to; the seven details are printed as
// received, their meaning being the clock's.
struct FlightEntry {
    static constexpr int kTextWidth = 57;
    static constexpr int kDetailCount = 7;
    static constexpr std::array<int, kDetailCount> kDetailWidths = {6, 6, 6, 6, 6, 6, 4};

    // A blank entry holds code-0 characters, as a field the read-out never set.
    QString flightCode = QString(4, QChar(0));
    QString flightCode2 = QString(4, QChar(0));
    std::array<QString, kDetailCount> details = {
        QString(6, QChar(0)), QString(6, QChar(0)), QString(6, QChar(0)), QString(6, QChar(0)),
        QString(6, QChar(0)), QString(6, QChar(0)), QString(4, QChar(0))};

    // flightText is padded with spaces and cut to 57 characters first.
    static FlightEntry fromFlightText(const QString& flightText);

    // FlightCode and FlightCode2 joined: what a record's flight key is compared with.
    QString key() const { return flightCode + flightCode2; }
};

// The flight list item of entry index: the first 20 characters of its flight
// text (padded with spaces) followed directly by the index in decimal.
QString flightListItem(const QString& flightText, int index);

} // namespace durvek
