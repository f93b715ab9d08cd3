#include "clubresult/LoftDistance.h"
#include <GeographicLib/Geodesic.hpp>
#include <cmath>

namespace durvek {

std::optional<GeoPoint> GeoPoint::parse(const QString& latitude, const QString& longitude)
{
    const auto lat = LoftCoordinate::parse(latitude, CoordinateAxis::Latitude);
    const auto lon = LoftCoordinate::parse(longitude, CoordinateAxis::Longitude);
    if (!lat || !lon)
        return std::nullopt;
    return GeoPoint {lat->degrees(), lon->degrees()};
}

qint64 distanceCentimetres(const GeoPoint& from, const GeoPoint& to)
{
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.latitude, from.longitude, to.latitude, to.longitude,
                                             metres);
    return std::llround(metres * 100.0);
}

} // namespace durvek
