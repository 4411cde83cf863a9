// The inverse transverse Mercator series in its footpoint-latitude form, not the forward series'
// exact inverse: a round trip agrees to a few thousandths of a second of arc. Its deliberate
// departures from the usual method:
//   - radians become degrees with its own factors, the latitude times 180 over pi written to
//     fourteen decimals, the longitude times 57.2957795130823 (InverseSeries.hpp);
//   - the central meridian is 6 * zone - 183 in 16-bit arithmetic, and 3 for any negative zone;
//     zones beyond 1..60 are converted as they come;
//   - easting and northing are not range-checked: beyond the pole the latitude passes 90, and
//     the longitude is not brought into -180..180;
//   - the latitude is counted from the equator towards the hemisphere given, whichever side of
//     the equator the northing lies.
//
// The rule for texts: the series with quick arithmetic, unless its position lies within
// kQuickInverseDrift of a point where a text or a decision made from it turns
// (kInverseTurningPoints); there, and wherever the quick series' drift was not measured, the series
// with the library's arithmetic gives the position. The arithmetic is the forward projection's
// (ForwardProjection.cpp), and so is the way its drift is guarded: measured on every ellipsoid,
// and points planted next to every kind of turning point, which must give the library's texts.

#include "geodesy/InverseProjection.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/InverseSeries.hpp"

#include <cmath>
#include <optional>

namespace korvane {

namespace {

// Where the drift was measured: this far from the central meridian and from the equator, in
// metres. Nearer the poles the quick tangent and cosine drift far more.
constexpr double kQuickInverseEasting = 450000;
constexpr double kQuickInverseNorthing = 9500000;

GeodeticPosition PositionOf(const UtmCoordinate& utm, const InverseSteps& steps) {
    return {LatitudeTowards(utm.hemisphere, steps.latitudeDegrees), steps.longitudeDegrees};
}

// Whether both angles lie further from every turning point than the quick series drifts, with
// 1e-12 degree to spare for working the points out and for the texts' own arithmetic, which move
// them by a few units in the last place of 180 degrees, under 1e-13.
bool ClearOfTurningPoints(const GeodeticPosition& position) {
    constexpr double kRoom = kQuickInverseDrift + 1e-12;
    const double sizes[] = {std::fabs(position.latitude), std::fabs(position.longitude)};
    for (const TurningPoints& points : kInverseTurningPoints) {
        const std::size_t angles = points.of == TurningOf::Both ? 2 : 1;
        for (std::size_t i = 0; i < angles; ++i) {
            if (!(std::fabs(sizes[i] - points.Nearest(sizes[i])) > kRoom)) {
                return false;
            }
        }
    }
    return true;
}

// The quick series' position where it surely gives the library's texts: only where its drift
// was measured, and clear of every turning point.
std::optional<GeodeticPosition> QuickPositionForTexts(const UtmCoordinate& utm,
                                                      const InverseTerms& terms,
                                                      std::int16_t centralMeridian) {
    const double fromEquator =
        utm.hemisphere == Hemisphere::South ? kFalseNorthing - utm.northing : utm.northing;
    if (!(std::fabs(utm.easting - kFalseEasting) <= kQuickInverseEasting &&
          std::fabs(fromEquator) <= kQuickInverseNorthing)) {
        return std::nullopt;
    }
    try {
        const GeodeticPosition quick =
            PositionOf(utm, InverseSeries<QuickArithmetic>(utm, terms, centralMeridian));
        if (ClearOfTurningPoints(quick)) {
            return quick;
        }
    } catch (const FloatingPointFailure&) {
        // The series with the library's arithmetic decides what fails, and how.
    }
    return std::nullopt;
}

} // namespace

std::int16_t InverseCentralMeridian(std::int16_t zone) {
    const std::int16_t centralMeridian = CentralMeridian(zone);
    return zone < 0 ? std::int16_t{3} : centralMeridian;
}

GeodeticPosition ProjectFromUtm(const UtmCoordinate& utm, const InverseTerms& terms) {
    const std::int16_t centralMeridian = InverseCentralMeridian(utm.zone);
    return PositionOf(utm, InverseSeries<LibraryArithmetic>(utm, terms, centralMeridian));
}

GeodeticPosition ProjectFromUtmForTexts(const UtmCoordinate& utm, const InverseTerms& terms) {
    const std::int16_t centralMeridian = InverseCentralMeridian(utm.zone);
    if (const auto quick = QuickPositionForTexts(utm, terms, centralMeridian)) {
        return *quick;
    }
    return PositionOf(utm, InverseSeries<LibraryArithmetic>(utm, terms, centralMeridian));
}

} // namespace korvane
