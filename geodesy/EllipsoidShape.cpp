#include "geodesy/EllipsoidShape.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/ValueText.hpp"

#include <cmath>

namespace korvane {

namespace {

double CheckedEquatorialRadius(double a, double b) {
    const char* const step = "ellipsoid";
    if (!(std::isfinite(a) && a > 0)) {
        throw InvalidArgumentFailure(step, "equatorial radius " + ValueText(a) +
                                               " m is not a positive number");
    }
    if (!(std::isfinite(b) && b > 0 && b <= a)) {
        throw InvalidArgumentFailure(step, "polar radius " + ValueText(b) +
                                               " m is not a positive number up to the "
                                               "equatorial radius " +
                                               ValueText(a) + " m");
    }
    if (!((a - b) / a <= kMostFlattening)) {
        throw InvalidArgumentFailure(step, "flattening " + ValueText((a - b) / a) +
                                               " is beyond 1/250, where the projections' "
                                               "accuracy was measured");
    }
    return a;
}

} // namespace

EllipsoidShape::EllipsoidShape(double aIn, double b)
    : a(CheckedEquatorialRadius(aIn, b)), n((a - b) / (a + b)),
      eccentricity(2 * std::sqrt(n) / (1 + n)) {}

double CheckedScale(double scale, const char* step) {
    if (!(std::isfinite(scale) && scale > 0)) {
        throw InvalidArgumentFailure(step,
                                     "scale " + ValueText(scale) + " is not a positive number");
    }
    return scale;
}

} // namespace korvane
