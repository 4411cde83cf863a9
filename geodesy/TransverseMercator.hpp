#pragma once

// The transverse Mercator projection by Krueger's series in the third flattening n to order n^6,
// as Karney gives it ("Transverse Mercator with an accuracy of a few nanometers", J. Geodesy 85,
// 2011), who puts it within 5 nanometres of the exact projection within 35 degrees of arc of
// the central meridian; measured against GeographicLib's exact projection, it keeps within about
// 10 nanometres there (docs/standard-grid.md). The standard grid's UTM; the windows keep their own
// truncated series.

#include "geodesy/EllipsoidShape.hpp"

#include <array>

namespace korvane {

// What the series needs of one ellipsoid and scale, the same for every point. Built once where
// the ellipsoid is chosen and passed to every projection on it.
struct TransverseMercatorTerms {
    // scale is the scale on the central meridian. Fails with an invalid argument unless it is a
    // positive finite number.
    TransverseMercatorTerms(const EllipsoidShape& ellipsoid, double scale);

    const double eccentricity;
    // The scale times the rectifying radius A = a / (1 + n) (1 + n^2/4 + n^4/64 + n^6/256):
    // grid metres per radian of the rectifying latitude.
    const double gridRadius;
    const std::array<double, 6> alpha; // Krueger's forward coefficients, alpha_1 to alpha_6
    const std::array<double, 6> beta;  // and those of the reverse series, beta_1 to beta_6
    const std::array<double, 6> conformalToGeodetic; // the latitude's series, from chi to phi
};

// Metres east of the central meridian and north of the equator, before any false origin.
struct TransverseMercatorPoint {
    double x = 0;
    double y = 0;
};

// The projection of a latitude (-90..90) and a longitude counted from the central meridian
// (-90..90), in degrees. Fails with an invalid argument outside those ranges or for NaN.
TransverseMercatorPoint TransverseMercatorForward(const TransverseMercatorTerms& terms,
                                                  double latitude,
                                                  double longitudeFromCentralMeridian);

// Latitude and longitude from the central meridian, in degrees, of a projected point. Fails
// with an invalid argument for a y beyond the poles' (|y| above gridRadius * pi/2) or NaN.
struct TransverseMercatorPosition {
    double latitude = 0;
    double longitudeFromCentralMeridian = 0;
};
TransverseMercatorPosition TransverseMercatorReverse(const TransverseMercatorTerms& terms,
                                                     TransverseMercatorPoint point);

} // namespace korvane
