#pragma once

// The sine and cosine of an angle in degrees, for the standard grid's projections.

#include <cmath>
#include <numbers>

namespace korvane {

// The standard grid's factors between degrees and radians, from the library's pi (the windows'
// series keep their own, from a pi of fourteen decimals).
inline constexpr double kStandardRadiansPerDegree = std::numbers::pi / 180;
inline constexpr double kStandardDegreesPerRadian = 180 / std::numbers::pi;

struct DegreeSineCosine {
    double sine;
    double cosine;
};

// Within 45 degrees the radians are taken as they are; beyond, whole quarter turns are taken
// away first (remquo is exact), so that the sine of 180 and the cosine of 90 are 0 rather than
// 1e-16, and a pole or the meridian 90 degrees off lands exactly where it is.
inline DegreeSineCosine SineCosineOfDegrees(double degrees) {
    if (std::fabs(degrees) <= 45) {
        const double radians = degrees * kStandardRadiansPerDegree;
        return {std::sin(radians), std::cos(radians)};
    }
    int quarters = 0;
    const double radians = std::remquo(degrees, 90.0, &quarters) * kStandardRadiansPerDegree;
    const double sine = std::sin(radians);
    const double cosine = std::cos(radians);
    switch (static_cast<unsigned>(quarters) & 3u) {
    case 0:
        return {sine, cosine};
    case 1:
        return {cosine, -sine};
    case 2:
        return {-sine, -cosine};
    default:
        return {-cosine, sine};
    }
}

} // namespace korvane
