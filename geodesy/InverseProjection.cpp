#include "geodesy/InverseProjection.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/FloatingPoint.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/InverseSeries.hpp"

#include <cmath>

namespace korvane {

namespace {

// Where the drift was measured: this far from the central meridian and from the equator, in
// metres. Nearer the poles the quick tangent and cosine drift far more.
constexpr double kQuickInverseEasting = 450000;
constexpr double kQuickInverseNorthing = 9500000;

} // namespace

std::int16_t InverseCentralMeridian(std::int16_t zone) {
    const std::int16_t centralMeridian = CentralMeridian(zone);
    return zone < 0 ? std::int16_t{3} : centralMeridian;
}

GeodeticPosition ProjectFromUtm(const UtmCoordinate& utm, const InverseTerms& terms) {
    const InverseSteps steps =
        InverseSeries<LibraryArithmetic>(utm, terms, InverseCentralMeridian(utm.zone));
    return {LatitudeTowards(utm.hemisphere, steps.latitudeDegrees), steps.longitudeDegrees};
}

std::optional<GeodeticPosition> QuickProjectFromUtm(const UtmCoordinate& utm,
                                                    const InverseTerms& terms) {
    const double fromEquator =
        utm.hemisphere == Hemisphere::South ? kFalseNorthing - utm.northing : utm.northing;
    if (!(std::fabs(utm.easting - kFalseEasting) <= kQuickInverseEasting &&
          std::fabs(fromEquator) <= kQuickInverseNorthing)) {
        return std::nullopt;
    }
    const std::int16_t centralMeridian = InverseCentralMeridian(utm.zone);
    try {
        const InverseSteps steps = InverseSeries<QuickArithmetic>(utm, terms, centralMeridian);
        return GeodeticPosition{LatitudeTowards(utm.hemisphere, steps.latitudeDegrees),
                                steps.longitudeDegrees};
    } catch (const ComputationFailure&) {
        return std::nullopt; // the library's series decides what fails, and how
    }
}

} // namespace korvane
