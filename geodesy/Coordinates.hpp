#pragma once

#include <cstdint>

namespace korvane {

enum class Hemisphere { North, South };

// Latitude and longitude in decimal degrees, north and east positive.
struct GeodeticPosition {
    double latitude = 0;
    double longitude = 0;
};

// A southern northing counts from 10000000 at the equator, an easting from 500000 on the
// central meridian.
struct UtmCoordinate {
    std::int16_t zone = 0;
    Hemisphere hemisphere = Hemisphere::North;
    double easting = 0;
    double northing = 0;
};

} // namespace korvane
