#pragma once

// An ellipsoid as the standard grid's projections take it.

namespace korvane {

// Flattening up to 1/250 is taken (every Earth ellipsoid in use lies between 1/290 and 1/310,
// spheres at 0): the transverse Mercator series' error grows as n^7, and at 1/250 it stays under
// 0.1 mm within 60 degrees of arc of the central meridian, the grid's limit
// (docs/standard-grid.md).
inline constexpr double kMostFlattening = 1.0 / 250;

// The radii, checked once, and what the projections derive from them.
struct EllipsoidShape {
    // a and b are the equatorial and polar radii in metres. Fails with an invalid argument,
    // naming the value, unless both are finite, 0 < b <= a, and the flattening is at most
    // kMostFlattening.
    EllipsoidShape(double a, double b);

    const double a;
    const double n;            // third flattening (a - b) / (a + b)
    const double eccentricity; // 2 sqrt(n) / (1 + n), without a^2 - b^2's cancelling
};

// The scale of a projection, checked: fails with an invalid argument naming the value unless it
// is a positive finite number.
double CheckedScale(double scale, const char* step);

} // namespace korvane
