#pragma once

#include "geodesy/Coordinates.hpp"
#include "geodesy/ForwardTerms.hpp"

#include <cstdint>

namespace korvane {

struct ZoneAndMeridian {
    std::int16_t zone = 0;
    std::int16_t centralMeridian = 0;
};

// Int(longitude / 6) + 31: a longitude on a zone boundary belongs to the zone east of it, so
// 0 is zone 31 and 180 E is zone 61 (central meridian 183).
ZoneAndMeridian ZoneOfLongitude(double longitude);

// 6 * zone - 183 in 16-bit arithmetic; a product or difference outside it is an overflow.
std::int16_t CentralMeridian(std::int16_t zone);

struct UtmProjection {
    UtmCoordinate utm; // northing and easting rounded to hundredths
    std::int16_t centralMeridian = 0;
};

// The forward transverse Mercator series in its arc-second form. The latitude and longitude are
// signed degrees within -90..90 and -180..180; the hemisphere is the one the user chose.
UtmProjection ProjectToUtm(const GeodeticPosition& position, Hemisphere hemisphere,
                           const ForwardTerms& terms);

// The projection in a zone given rather than the longitude's own, for studying the series
// beyond a zone's edges.
UtmProjection ProjectToUtmZone(const GeodeticPosition& position, Hemisphere hemisphere,
                               const ForwardTerms& terms, ZoneAndMeridian zoneAndMeridian);

// Inside a zone the two kinds of arithmetic differ by a unit or so in the last place of a
// northing or easting, about two nanometres, as the property tests measure on every ellipsoid
// (measured, not proven). ProjectToUtm takes the quick result only where a value this far either
// way rounds to the same hundredth, a margin some 500 times the drift.
inline constexpr double kQuickSeriesDrift = 1e-6; // metres

} // namespace korvane
