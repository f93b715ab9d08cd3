#pragma once
#include "common/LoftCoordinate.h"
#include <QString>
#include <QtGlobal>
#include <optional>

namespace durvek {

// A point on the earth read from two texts in the loft coordinate forms.
struct GeoPoint {
    double latitude = 0;  // north positive
    double longitude = 0; // east positive

    // Nothing when either text is not a coordinate of its axis.
    static std::optional<GeoPoint> parse(const QString& latitude, const QString& longitude);
};

// The distance between two points along the WGS84 ellipsoid, in whole
// centimetres (rounded), as federations state race distances.
qint64 distanceCentimetres(const GeoPoint& from, const GeoPoint& to);

} // namespace durvek
