#include "geodesy/ConformalLatitude.hpp"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

// Beyond this tangent (within 1e-8 degree of a pole) the two tangents are proportional to a
// double's precision, so the start is the answer; it also keeps the squares below overflow.
constexpr double kProportionalBeyond = 2 / 1.4901161193847656e-08; // 2 / sqrt(epsilon)
// A Newton step this small relative to the tangent has converged: the next is below rounding.
constexpr double kConvergedStep = 1.4901161193847656e-09; // sqrt(epsilon) / 10
constexpr int kMostNewtonSteps = 5;

} // namespace

double ConformalTangent(double tangent, double eccentricity) {
    if (!std::isfinite(tangent)) {
        return tangent;
    }
    const double secant = std::sqrt(1 + tangent * tangent);
    const double sigma = std::sinh(eccentricity * std::atanh(eccentricity * tangent / secant));
    return std::sqrt(1 + sigma * sigma) * tangent - sigma * secant;
}

double GeodeticTangent(double conformalTangent, double eccentricity) {
    const double e2m = 1 - eccentricity * eccentricity;
    // To first order in e^2 the conformal tangent is (1 - e^2) times the geodetic one; near a
    // pole (beyond 70, about 89 degrees) their ratio tends to exp(-e atanh e) instead.
    double tangent = std::fabs(conformalTangent) > 70
                         ? conformalTangent * std::exp(eccentricity * std::atanh(eccentricity))
                         : conformalTangent / e2m;
    if (!(std::fabs(tangent) < kProportionalBeyond)) {
        return tangent; // and infinities and NaN as they are
    }
    const double tolerance = kConvergedStep * std::max(1.0, std::fabs(conformalTangent));
    for (int step = 0; step < kMostNewtonSteps; ++step) {
        const double guess = ConformalTangent(tangent, eccentricity);
        // d(conformal)/d(geodetic) = (1 - e^2) sqrt(1 + t'^2) sqrt(1 + t^2) / (1 + (1 - e^2) t^2)
        const double change =
            (conformalTangent - guess) * (1 + e2m * tangent * tangent) /
            (e2m * std::sqrt(1 + tangent * tangent) * std::sqrt(1 + guess * guess));
        tangent += change;
        if (!(std::fabs(change) >= tolerance)) {
            break;
        }
    }
    return tangent;
}

} // namespace korvane
