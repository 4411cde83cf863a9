#pragma once

// The polar stereographic projection of an ellipsoid, in closed form (Karney, J. Geodesy 85,
// 2011, eqs. 7 to 9 for the conformal latitude it rests on): the standard grid's UPS.

#include "geodesy/Coordinates.hpp"
#include "geodesy/EllipsoidShape.hpp"

namespace korvane {

// What the projection needs of one ellipsoid and scale, the same for every point.
struct PolarStereographicTerms {
    // scale is the scale at the pole. Fails with an invalid argument unless it is a positive
    // finite number.
    PolarStereographicTerms(const EllipsoidShape& ellipsoid, double scale);

    const double eccentricity;
    // 2 k0 a / c, c = sqrt(1 - e^2) exp(e atanh e): metres from the pole per unit of
    // sqrt(1 + t'^2) - t', t' the conformal latitude's tangent.
    const double poleRadius;
};

// Metres from the pole, x towards 90 E and y towards 180 (north) or 0 (south), before any
// false origin.
struct PolarStereographicPoint {
    double x = 0;
    double y = 0;
};

// The projection from the given pole of a latitude and a longitude in degrees. Fails with an
// invalid argument for a latitude outside -90..90 or at the other pole, or a NaN.
PolarStereographicPoint PolarStereographicForward(const PolarStereographicTerms& terms,
                                                  Hemisphere pole,
                                                  const GeodeticPosition& position);

// The latitude and longitude (-180..180) of a projected point from the given pole. Fails with
// an invalid argument for a NaN or infinite coordinate.
GeodeticPosition PolarStereographicReverse(const PolarStereographicTerms& terms, Hemisphere pole,
                                           PolarStereographicPoint point);

} // namespace korvane
