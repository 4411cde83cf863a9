#pragma once

#include "geodesy/Coordinates.hpp"
#include "geodesy/DatumTable.hpp"

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

// The five coefficients of the meridian arc series, A' to E'.
struct MeridianArcCoefficients {
    double a = 0;
    double b = 0;
    double c = 0;
    double d = 0;
    double e = 0;
};

// What the forward series needs of one ellipsoid, the same for every point on it. Built once
// where the ellipsoid is chosen and passed to every projection on it, so that nothing of one
// ellipsoid can linger into a conversion on another.
struct ForwardTerms {
    // Fails with a floating-point failure for an ellipsoid without radii (the datum table's
    // empty row).
    explicit ForwardTerms(const DatumEntry& datum);

    const double a;
    const double e;                // first eccentricity
    const double secondEccSquared; // e'^2
    const double n;                // (a - b) / (a + b)
    const MeridianArcCoefficients arc;
    const double sinOneSecondSquared;
    const double sinOneSecondToTheFourth;
    const double secondEccToTheFourth; // e'^4
};

struct UtmProjection {
    UtmCoordinate utm; // northing and easting rounded to hundredths
    std::int16_t centralMeridian = 0;
};

// The forward transverse Mercator series in its arc-second form. The latitude and longitude are
// signed degrees within -90..90 and -180..180; the hemisphere is the one the user chose.
UtmProjection ProjectToUtm(const GeodeticPosition& position, Hemisphere hemisphere,
                           const ForwardTerms& terms);

} // namespace korvane
