// The forward transverse Mercator series in its arc-second form: the longitude from the central
// meridian in units of 10,000 seconds of arc, coefficients K1 to K5, the meridian arc from a
// five-term sine series in n. Its deliberate departures from the usual method:
//   - degrees become radians with pi written to fourteen decimals (RadiansPerDegree), and one
//     second of arc's sine is 4.84813681109536e-6 (SinOneSecond);
//   - the n^4 term of B' and the n^2 term of D' carry no factor (1 - n) (ArcCoefficients,
//   ForwardTerms.cpp);
//   - the zone is Int(longitude / 6) + 31: a boundary belongs to the zone east of it, 180 E is
//     zone 61 (central meridian 183), and there are no regional zones;
//   - polar latitudes are projected with the same series, never as UPS;
//   - the hemisphere is the one chosen, not the latitude's sign, so 0 may be either;
//   - northing and easting are rounded to hundredths on their binary values, a half to the even.
//
// The rule for its arithmetic: the series with quick arithmetic, unless its result lies within
// kQuickSeriesDrift of a point where the rounding to hundredths changes; there, the series with
// the library's arithmetic decides. The layers, fastest first:
//   1. QuickArithmetic: products, one sine and one cosine (ForwardSeries.hpp);
//   2. LibraryArithmetic: sin, cos, tan and Power for every term, as the method states it;
//   3. Power: the exact square, cube or root when it is surely what pow gives (Power.cpp);
//   4. std::pow, for whatever Power cannot be sure of.
// The drift between layers 1 and 2 is measured (about 2 nm), not proven, against the 1 um margin.
// The property tests guard it: the drift on every ellipsoid across the zones, and points planted
// next to rounding points, which must give the library's digits.

#include "geodesy/ForwardProjection.hpp"

#include "geodesy/ExactLimits.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/ForwardSeries.hpp"
#include "geodesy/Int16.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/Rounding.hpp"

#include <cmath>
#include <optional>

namespace korvane {

namespace {

GridPoint RoundedToHundredths(GridPoint point) {
    return {RoundToHundredths(point.easting), RoundToHundredths(point.northing)};
}

// Value rounded to hundredths as RoundToHundredths rounds it, when every value within margin of
// it rounds alike; otherwise nothing. The margin holds to within 0.08 um, the most that the
// product by 100 can be off below kHundredthsPlainBelow; the rounding's own exact arithmetic is
// left to the points that need it.
std::optional<double> RoundedWhereClear(double value, double margin) {
    const double hundredths = std::fabs(value) * 100;
    if (!(hundredths < kHundredthsPlainBelow * 100)) {
        return std::nullopt;
    }
    // Adding the half is exact at this size; the cast then rounds down.
    const double nearest = static_cast<double>(static_cast<long long>(hundredths + 0.5));
    if (!(std::fabs(hundredths - nearest) < 0.5 - 100 * margin)) {
        return std::nullopt;
    }
    return std::copysign(nearest / 100, value); // as HundredthsValue gives a count this small
}

// The series with quick arithmetic, rounded, when that is surely what the library's arithmetic
// rounds to: only inside the zone, where the drift was measured, and away from every rounding
// point.
std::optional<GridPoint> QuickRoundedSeries(const GeodeticPosition& position, Hemisphere hemisphere,
                                            const ForwardTerms& terms,
                                            std::int16_t centralMeridian) {
    if (!(std::fabs(position.longitude - centralMeridian) <= 3)) {
        return std::nullopt;
    }
    try {
        const GridPoint quick =
            Series<QuickArithmetic>(position, hemisphere, terms, centralMeridian);
        const auto easting = RoundedWhereClear(quick.easting, kQuickSeriesDrift);
        const auto northing = RoundedWhereClear(quick.northing, kQuickSeriesDrift);
        if (easting && northing) {
            return GridPoint{*easting, *northing};
        }
    } catch (const FloatingPointFailure&) {
        // The series with the library's arithmetic decides what fails, and how.
    }
    return std::nullopt;
}

} // namespace

ZoneAndMeridian ZoneOfLongitude(double longitude) {
    // Int(...) + 31 is whole, or not a number, which the range check rejects as rounding would.
    const std::int16_t zone = WholeToInt16(Int(longitude / 6) + 31, "forward step 1 (zone)");
    return {zone, CentralMeridian(zone)};
}

std::int16_t CentralMeridian(std::int16_t zone) {
    const std::int16_t product = CheckedInt16(6LL * zone, "central meridian");
    return CheckedInt16(product - 183LL, "central meridian");
}

UtmProjection ProjectToUtm(const GeodeticPosition& position, Hemisphere hemisphere,
                           const ForwardTerms& terms) {
    return ProjectToUtmZone(position, hemisphere, terms, ZoneOfLongitude(position.longitude));
}

UtmProjection ProjectToUtmZone(const GeodeticPosition& position, Hemisphere hemisphere,
                               const ForwardTerms& terms, ZoneAndMeridian zoneAndMeridian) {
    const auto [zone, centralMeridian] = zoneAndMeridian;
    const auto quick = QuickRoundedSeries(position, hemisphere, terms, centralMeridian);
    const GridPoint rounded = quick ? *quick
                                    : RoundedToHundredths(Series<LibraryArithmetic>(
                                          position, hemisphere, terms, centralMeridian));
    UtmProjection result;
    result.utm = {zone, hemisphere, rounded.easting, rounded.northing};
    result.centralMeridian = centralMeridian;
    return result;
}

} // namespace korvane
