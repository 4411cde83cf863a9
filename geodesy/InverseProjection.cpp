#include "geodesy/InverseProjection.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/FloatingPoint.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/InverseSeries.hpp"
#include "geodesy/Power.hpp"

#include <cmath>

namespace korvane {

namespace {

// Where the drift was measured: this far from the central meridian and from the equator, in
// metres. Nearer the poles the quick tangent and cosine drift far more.
constexpr double kQuickInverseEasting = 450000;
constexpr double kQuickInverseNorthing = 9500000;

double E1(double eSquared) {
    const double root = Power(1 - eSquared, 0.5);
    return Finite((1 - root) / (1 + root), "inverse step 6 (e1)");
}

} // namespace

std::int16_t InverseCentralMeridian(std::int16_t zone) {
    const std::int16_t centralMeridian = CentralMeridian(zone);
    return zone < 0 ? std::int16_t{3} : centralMeridian;
}

InverseTerms::InverseTerms(const DatumEntry& datum)
    : a(datum.a),
      e(Finite(Power(1 - Power(datum.b / datum.a, 2), 0.5), "inverse step 3 (eccentricity)")),
      eSquared(Power(e, 2)),
      secondEccSquared(Finite(eSquared / (1 - eSquared), "inverse step 3 (second eccentricity)")),
      rectifyingRadius(a * (1 - eSquared / 4 - 3 * Power(e, 4) / 64 - 5 * Power(e, 6) / 256)),
      e1(E1(eSquared)), j1(3 * e1 / 2 - 27 * Power(e1, 3) / 32),
      j2(21 * Power(e1, 2) / 16 - 55 * Power(e1, 4) / 32), j3(151 * Power(e1, 3) / 96),
      j4(1097 * Power(e1, 4) / 512) {
    Finite(j1 + j2 + j3 + j4, "inverse step 7 (series coefficients)");
}

GeodeticPosition ProjectFromUtm(const UtmCoordinate& utm, const InverseTerms& terms) {
    const InverseSteps steps = InverseSeries<LibraryArithmetic>(utm, terms);
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
    try {
        const InverseSteps steps = InverseSeries<QuickArithmetic>(utm, terms);
        return GeodeticPosition{LatitudeTowards(utm.hemisphere, steps.latitudeDegrees),
                                steps.longitudeDegrees};
    } catch (const ComputationFailure&) {
        return std::nullopt; // the library's series decides what fails, and how
    }
}

} // namespace korvane
