#include "results/FlightEntry.h"
#include "clocklink/FixedText.h"

namespace durvek {

namespace {

// 1-based start positions of the details in the flight text; 27-30 and 49-52
// hold values nothing here reads.
constexpr std::array<int, FlightEntry::kDetailCount> kDetailStarts = {9, 15, 21, 31, 37, 43, 53};

QString piece(const QString& s, int start1, int width) { return s.mid(start1 - 1, width); }

} // namespace

FlightEntry FlightEntry::fromFlightText(const QString& flightText)
{
    const QString s = leftSpaces(flightText, kTextWidth);
    FlightEntry f;
    f.flightCode = piece(s, 1, 4);
    f.flightCode2 = piece(s, 5, 4);
    for (int i = 0; i < kDetailCount; ++i)
        f.details[size_t(i)] = piece(s, kDetailStarts[size_t(i)], kDetailWidths[size_t(i)]);
    return f;
}

QString flightListItem(const QString& flightText, int index)
{
    return leftSpaces(flightText, 20) + QString::number(index);
}

} // namespace durvek
