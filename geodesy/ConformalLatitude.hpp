#pragma once

// The conformal latitude of an ellipsoid, which both standard grid projections start from, as
// tangents (Karney, "Transverse Mercator with an accuracy of a few nanometers", J. Geodesy 85,
// 2011, eqs. 7 to 9 and 19 to 21): tangents stay accurate next to the poles, where angles lose
// their last digits.

namespace korvane {

// tan(conformal latitude) from tan(geodetic latitude) on an ellipsoid of eccentricity e. An
// infinite tangent (a pole) stays infinite.
double ConformalTangent(double tangent, double eccentricity);

// tan(geodetic latitude) from tan(conformal latitude), by Newton's method from a start within
// e^2 of the answer: two steps at most reach a double's precision.
double GeodeticTangent(double conformalTangent, double eccentricity);

} // namespace korvane
