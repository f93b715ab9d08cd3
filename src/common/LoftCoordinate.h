#pragma once
#include <QString>
#include <optional>

namespace durvek {

// Which of a loft's two coordinates a text is. The clocks call the longitude
// X (fanciers.KXT) and the latitude Y (fanciers.KYT).
enum class CoordinateAxis { Latitude, Longitude };

// One coordinate of a loft, read from what a club copies out of its
// federation's member list and written as the clocks receive it.
//
// Read: degrees, minutes and seconds, decimals on the last part only, the
// hemisphere letter before or after ("N 51°05'23.45\"", "51 05 23.45 N",
// "E 4°25'12,34\"", "51°05.391' N"); or decimal degrees, west and south
// negative ("51.089847", "-1.5"). Blanks, °, ', ´, " and their typographic
// forms separate the parts; a decimal comma reads as a point. The letter must belong
// to the axis (N or S for a latitude, E or W for a longitude): O is refused
// because it means east in Dutch and west in French.
//
// Stored form (8 characters, what the clocks get): decimal degrees, north and
// east positive, the point third where it fits and as many decimals as the 8
// characters leave: "51.08985", "04.42009" (5 decimals, about a metre),
// "-1.50000" west of Greenwich, "-10.4201" from 10 degrees west on.
class LoftCoordinate {
public:
    static constexpr int kStoredLength = 8;

    // Nothing when the text is no coordinate of that axis (a blank text neither).
    static std::optional<LoftCoordinate> parse(const QString& text, CoordinateAxis axis);

    CoordinateAxis axis() const { return m_axis; }
    // North and east positive.
    double degrees() const { return m_degrees; }
    // The 8 characters stored and sent to the clocks.
    QString storedText() const;

private:
    LoftCoordinate(CoordinateAxis axis, double degrees) : m_axis(axis), m_degrees(degrees) {}

    CoordinateAxis m_axis;
    double m_degrees;
};

} // namespace durvek
