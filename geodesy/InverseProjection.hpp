#pragma once

#include "geodesy/Coordinates.hpp"
#include "geodesy/DatumTable.hpp"

#include <cstdint>

namespace korvane {

// Every named value of the footpoint-latitude series, in the order it is computed.
struct InverseSteps {
    std::int16_t centralMeridian = 0;
    double y = 0; // northing from the equator
    double e = 0;
    double secondEccSquared = 0;
    double m = 0;
    double mu = 0;
    double e1 = 0;
    double j1 = 0, j2 = 0, j3 = 0, j4 = 0;
    double phi1 = 0;
    double c1 = 0, t1 = 0, n1 = 0, r1 = 0;
    double d = 0;
    double phi = 0;
    double latitudeDegrees = 0; // from the equator towards the chosen hemisphere
    double longitudeDegrees = 0;
};

// The inverse series, step by step. Fails with an overflow when the zone is outside
// -5430..5461, and with a floating-point failure at the first step that divides by zero,
// overflows or has no defined result.
InverseSteps InverseSeries(const UtmCoordinate& utm, const DatumEntry& datum);

// Latitude south-negative, longitude east-positive and not brought into -180..180.
GeodeticPosition ProjectFromUtm(const UtmCoordinate& utm, const DatumEntry& datum);

// 6 * zone - 183 in 16-bit arithmetic, or 3 for a negative zone.
std::int16_t InverseCentralMeridian(std::int16_t zone);

} // namespace korvane
