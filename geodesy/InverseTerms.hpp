#pragma once

#include "geodesy/DatumTable.hpp"

namespace korvane {

// What the inverse series needs of one ellipsoid, the same for every point on it. Built once
// where the ellipsoid is chosen and passed to every projection on it, so that nothing of one
// ellipsoid can linger into a conversion on another.
struct InverseTerms {
    // Fails with a floating-point failure for an ellipsoid without radii (the datum table's
    // empty row).
    explicit InverseTerms(const DatumEntry& datum);

    const double a;
    const double e;
    const double eSquared;
    const double secondEccSquared;
    const double rectifyingRadius; // a * (1 - e^2/4 - 3e^4/64 - 5e^6/256)
    const double e1;               // (1 - sqrt(1 - e^2)) / (1 + sqrt(1 - e^2))
    const double j1, j2, j3, j4;
};

} // namespace korvane
