#pragma once

#include "geodesy/DatumTable.hpp"

namespace korvane {

// The five coefficients of the meridian arc series, A' to E'.
struct MeridianArcCoefficients {
    double a = 0;
    double b = 0;
    double c = 0;
    double d = 0;
    double e = 0;
};

// A' to E' for equatorial radius a and n = (a - b) / (a + b).
MeridianArcCoefficients ArcCoefficients(double a, double n);

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

} // namespace korvane
