#pragma once

#include "geodesy/Coordinates.hpp"
#include "geodesy/DatumTable.hpp"

#include <cstdint>

namespace korvane {

inline constexpr double kScaleFactor = 0.9996;
inline constexpr double kFalseEasting = 500000;
inline constexpr double kFalseNorthing = 10000000;

struct ZoneAndMeridian {
    std::int16_t zone = 0;
    std::int16_t centralMeridian = 0;
};

// Int(longitude / 6) + 31: a longitude on a zone boundary belongs to the zone east of it, so
// 0 is zone 31 and 180 E is zone 61 (central meridian 183).
ZoneAndMeridian ZoneOfLongitude(double longitude);

// 6 * zone - 183 in 16-bit arithmetic; a product or difference outside it is an overflow.
std::int16_t CentralMeridian(std::int16_t zone);

// The five coefficients of the meridian arc series, A' to E', for equatorial radius a and
// n = (a - b) / (a + b).
struct MeridianArcCoefficients {
    double a = 0;
    double b = 0;
    double c = 0;
    double d = 0;
    double e = 0;
};
MeridianArcCoefficients ArcCoefficients(double a, double n);

// The coefficients K1 to K5 of the northing and easting polynomials in p.
struct SeriesCoefficients {
    double k1 = 0;
    double k2 = 0;
    double k3 = 0;
    double k4 = 0;
    double k5 = 0;
};

struct UtmProjection {
    UtmCoordinate utm; // northing and easting rounded to hundredths
    std::int16_t centralMeridian = 0;
};

// The forward transverse Mercator series in its arc-second form. The latitude and longitude are
// signed degrees within -90..90 and -180..180; the hemisphere is the one the user chose.
UtmProjection ProjectToUtm(const GeodeticPosition& position, Hemisphere hemisphere,
                           const DatumEntry& datum);

// The same series in a zone given rather than the longitude's own, for studying the series
// beyond a zone's edges.
UtmProjection ProjectToUtmZone(const GeodeticPosition& position, Hemisphere hemisphere,
                               const DatumEntry& datum, ZoneAndMeridian zoneAndMeridian);

// Northing and easting before rounding to hundredths (the false northing added in the south).
struct GridPoint {
    double easting = 0;
    double northing = 0;
};

// How the series does its arithmetic: as stated, with the maths library's pow, sin, cos and
// tan, to the last bit; or quickly, with plain products and multiple-angle identities, each
// value within a few units in the last place of the library's.
enum class SeriesArithmetic { Library, Quick };

// Inside a zone the two kinds of arithmetic differ by a unit or so in the last place of a
// northing or easting, about two nanometres; this bound leaves a wide margin. ProjectToUtm uses the
// quick arithmetic only where a value this far either way rounds to the same hundredth, so its
// digits are the library's.
inline constexpr double kQuickSeriesDrift = 1e-6; // metres

// The series unrounded, for the test that measures the drift between the two kinds of
// arithmetic.
GridPoint UnroundedSeries(const GeodeticPosition& position, Hemisphere hemisphere,
                          const DatumEntry& datum, std::int16_t centralMeridian,
                          SeriesArithmetic arithmetic);

// The series coefficients at a latitude, exposed so that each term can be checked on its own.
SeriesCoefficients ForwardCoefficients(double latitude, const DatumEntry& datum);

} // namespace korvane
