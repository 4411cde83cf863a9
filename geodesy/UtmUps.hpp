#pragma once

// The standard UTM and UPS grids: the standard zone of a position, or a zone asked for, and the
// exact projections (transverse Mercator by Krueger's series, polar stereographic in closed
// form) with the grids' scales and false origins.

#include "geodesy/Coordinates.hpp"
#include "geodesy/EllipsoidShape.hpp"
#include "geodesy/PolarStereographic.hpp"
#include "geodesy/StandardZone.hpp"
#include "geodesy/TransverseMercator.hpp"

#include <optional>

namespace korvane {

inline constexpr double kUpsScaleFactor = 0.994;
inline constexpr double kUpsFalseOrigin = 2000000; // easting and northing of the pole, metres

// How far from a zone's central meridian a position may lie: 60 degrees of arc (sin = cos
// latitude sin longitude offset). Measured against the exact projection, the series' error
// there is 0.03 mm on the WGS 84 ellipsoid and 0.1 mm at flattening 1/250; it passes 1 mm only
// beyond 64 degrees, and grows some 1.8 times a degree (docs/standard-grid.md).
inline constexpr double kSeriesReachDegrees = 60;

// How far from its pole UPS asked for takes a position: within 20 degrees, as GeographicLib's
// UTMUPS does, 14 degrees beyond the standard's own reach in the north (84 N), 10 in the south
// (80 S).
inline constexpr double kUpsReachLatitude = 70;

// A position on the grid. Zone kUpsZone is UPS, whose easting and northing count from
// kUpsFalseOrigin at the pole; a UTM easting counts from 500 km on the central meridian, and a
// southern northing from 10,000 km at the equator (a northern one below the equator is
// negative, a southern one above it beyond 10,000 km).
struct UtmUpsPosition {
    int zone = kUpsZone;
    Hemisphere hemisphere = Hemisphere::North;
    double easting = 0;
    double northing = 0;
};

// What the grid needs of one ellipsoid: built once where it is chosen.
struct UtmUpsTerms {
    explicit UtmUpsTerms(const EllipsoidShape& ellipsoid);

    const TransverseMercatorTerms utm;
    const PolarStereographicTerms ups;
    const double utmReach; // metres of easting from the central meridian at kSeriesReachDegrees
    const double utmPoleNorthing; // northing of the poles from the equator, metres
};

// The grid position of a latitude (-90..90) and longitude (any, in degrees), unrounded: in the
// standard zone, or in the zone given (1..60, or kUpsZone) for points outside it too; in the
// latitude's hemisphere (the equator is north), or for UTM in the hemisphere given. Fails with
// an invalid argument naming the value and the limit for a position that is none, a zone
// outside 0..60, a UTM position beyond kSeriesReachDegrees of the central meridian (or 90
// degrees of longitude), a UPS hemisphere on the other side of the equator, and a position of
// UPS asked for nearer the equator than kUpsReachLatitude.
UtmUpsPosition UtmUpsForward(const GeodeticPosition& position, const UtmUpsTerms& terms,
                             std::optional<int> zone = std::nullopt,
                             std::optional<Hemisphere> hemisphere = std::nullopt);

// Which grid positions the reverse takes.
enum class GridRanges {
    // GeographicLib's ranges: 100 km beyond those that MGRS letters, so that zones overlap and
    // UTM and UPS overlap. UTM eastings 0..1000 km; northings -9100..9600 km in the north and
    // 900..19600 km in the south (both continued across the equator); UPS eastings and
    // northings 1200..2800 km in the north and 700..3300 km in the south.
    Standard,
    // What a zone asked for gives: UTM eastings within kSeriesReachDegrees' metres of the
    // central meridian and northings up to the poles; UPS anywhere.
    ForcedZone,
};

// The latitude and longitude (-180..180) of a grid position. Fails with an invalid argument
// naming the value and the range for a zone outside 0..60 or a coordinate outside the ranges.
GeodeticPosition UtmUpsReverse(const UtmUpsPosition& position, const UtmUpsTerms& terms,
                               GridRanges ranges = GridRanges::Standard);

} // namespace korvane
