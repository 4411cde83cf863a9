#include "geodesy/PolarStereographic.hpp"

#include "geodesy/ConformalLatitude.hpp"
#include "geodesy/DegreeSineCosine.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/ValueText.hpp"

#include <cmath>
#include <numbers>

namespace korvane {

namespace {

double PoleRadius(const EllipsoidShape& ellipsoid, double scale) {
    const double e = ellipsoid.eccentricity;
    const double c = std::sqrt((1 - e) * (1 + e)) * std::exp(e * std::atanh(e));
    return 2 * CheckedScale(scale, "polar stereographic terms") * ellipsoid.a / c;
}

} // namespace

PolarStereographicTerms::PolarStereographicTerms(const EllipsoidShape& ellipsoid, double scale)
    : eccentricity(ellipsoid.eccentricity), poleRadius(PoleRadius(ellipsoid, scale)) {}

PolarStereographicPoint PolarStereographicForward(const PolarStereographicTerms& terms,
                                                  Hemisphere pole,
                                                  const GeodeticPosition& position) {
    const double latitude = LatitudeTowards(pole, position.latitude);
    if (!(std::fabs(latitude) <= 90) || !std::isfinite(position.longitude)) {
        throw InvalidArgumentFailure("polar stereographic",
                                     "latitude " + ValueText(position.latitude) + " or longitude " +
                                         ValueText(position.longitude) + " is not a position");
    }
    if (latitude == -90) {
        throw InvalidArgumentFailure("polar stereographic",
                                     "the opposite pole has no finite projection");
    }
    double rho = 0;
    if (latitude != 90) {
        const auto [sinPhi, cosPhi] = SineCosineOfDegrees(latitude);
        const double t = ConformalTangent(sinPhi / cosPhi, terms.eccentricity);
        // sqrt(1 + t^2) - t, written so that nothing cancels towards the pole.
        const double root = std::sqrt(1 + t * t);
        rho = terms.poleRadius * (t >= 0 ? 1 / (root + t) : root - t);
    }
    const auto [sinLambda, cosLambda] = SineCosineOfDegrees(position.longitude);
    return {rho * sinLambda, pole == Hemisphere::North ? -rho * cosLambda : rho * cosLambda};
}

GeodeticPosition PolarStereographicReverse(const PolarStereographicTerms& terms, Hemisphere pole,
                                           PolarStereographicPoint point) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
        throw InvalidArgumentFailure("polar stereographic", "the point " + ValueText(point.x) +
                                                                " m, " + ValueText(point.y) +
                                                                " m is not a position");
    }
    const double rho = std::hypot(point.x, point.y);
    if (rho == 0) {
        return {LatitudeTowards(pole, 90), 0};
    }
    const double t = rho / terms.poleRadius; // sqrt(1 + t'^2) - t'
    const double tangent = GeodeticTangent((1 / t - t) / 2, terms.eccentricity);
    const double latitude = std::atan(tangent) * kStandardDegreesPerRadian;
    const double longitude = std::atan2(point.x, pole == Hemisphere::North ? -point.y : point.y) *
                             kStandardDegreesPerRadian;
    return {LatitudeTowards(pole, latitude), longitude};
}

} // namespace korvane
