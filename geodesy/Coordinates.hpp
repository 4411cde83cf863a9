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

// The UTM grid: the scale on the central meridian and the false origin's offsets, in metres.
inline constexpr double kScaleFactor = 0.9996;
inline constexpr double kFalseEasting = 500000;
inline constexpr double kFalseNorthing = 10000000;

// A latitude counted from the equator towards the hemisphere turned into a signed one (south
// negative), and back: the rule is its own inverse, and negation is exact.
constexpr double LatitudeTowards(Hemisphere hemisphere, double latitude) {
    return hemisphere == Hemisphere::South ? -latitude : latitude;
}

} // namespace korvane
