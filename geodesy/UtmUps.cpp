#include "geodesy/UtmUps.hpp"

#include "geodesy/DegreeSineCosine.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/ValueText.hpp"

#include <cmath>
#include <numbers>
#include <string>

namespace korvane {

namespace {

const char* HemisphereName(Hemisphere hemisphere) {
    return hemisphere == Hemisphere::North ? "north" : "south";
}

// The longitude from the central meridian in -180..180; exact, as remainder is.
double OffsetFromCentralMeridian(double longitude, int zone) {
    return std::remainder(longitude - CentralMeridianOfZone(zone), 360.0);
}

// Within 60 degrees of longitude a position is within 60 degrees of arc; only beyond is the
// arc worked out.
void CheckSeriesReach(const GeodeticPosition& position, int zone, double offset) {
    if (std::fabs(offset) <= kSeriesReachDegrees) {
        return;
    }
    const std::string where = "position " + ValueText(position.latitude) + ", " +
                              ValueText(position.longitude) + " lies ";
    const std::string meridian = " from the central meridian (" +
                                 ValueText(CentralMeridianOfZone(zone)) + ") of zone " +
                                 std::to_string(zone);
    if (!(std::fabs(offset) < 90)) {
        throw InvalidArgumentFailure("standard UTM", where + ValueText(std::fabs(offset)) +
                                                         " degrees of longitude" + meridian +
                                                         ", beyond the 90 the projection covers");
    }
    const double arc = std::asin(std::cos(position.latitude * kStandardRadiansPerDegree) *
                                 std::sin(std::fabs(offset) * kStandardRadiansPerDegree)) /
                       kStandardRadiansPerDegree;
    if (arc > kSeriesReachDegrees) {
        throw InvalidArgumentFailure(
            "standard UTM", where + ValueText(std::round(arc * 1000) / 1000) + " degrees of arc" +
                                meridian + ", beyond the " + ValueText(kSeriesReachDegrees) +
                                " within which the series is accurate to a tenth of a millimetre");
    }
}

// The range a reverse checks a position against, named only when the position leaves it.
struct ReverseRange {
    GridRanges ranges;
    bool ups;
    Hemisphere hemisphere;

    std::string Name() const {
        // Positions written in a zone asked for may lie beyond the standard ranges: say how
        // they are read back.
        return std::string(ranges == GridRanges::Standard ? "the standard " : "the forced ") +
               (ups ? "UPS" : "UTM") + " range in the " + HemisphereName(hemisphere) +
               (ranges == GridRanges::Standard
                    ? " (a forced zone's positions are read with that zone)"
                    : "");
    }
};

void CheckRange(const char* coordinate, double value, double low, double high,
                const ReverseRange& range) {
    if (!(value >= low && value <= high)) {
        throw InvalidArgumentFailure("standard UTM/UPS reverse",
                                     std::string(coordinate) + " " + ValueText(value) +
                                         " m is outside " + ValueText(std::round(low) / 1000) +
                                         " to " + ValueText(std::round(high) / 1000) + " km, " +
                                         range.Name());
    }
}

} // namespace

UtmUpsTerms::UtmUpsTerms(const EllipsoidShape& ellipsoid)
    : utm(ellipsoid, kScaleFactor), ups(ellipsoid, kUpsScaleFactor),
      utmReach(TransverseMercatorForward(utm, 0, kSeriesReachDegrees).x),
      utmPoleNorthing(utm.gridRadius * std::numbers::pi / 2) {}

UtmUpsPosition UtmUpsForward(const GeodeticPosition& position, const UtmUpsTerms& terms,
                             std::optional<int> zone, std::optional<Hemisphere> hemisphere) {
    const int standard = StandardZone(position); // checks the position
    UtmUpsPosition result;
    result.zone = zone.value_or(standard);
    CheckStandardZone(result.zone, "standard UTM/UPS forward");
    const Hemisphere own = position.latitude < 0 ? Hemisphere::South : Hemisphere::North;
    result.hemisphere = hemisphere.value_or(own);
    if (result.zone == kUpsZone) {
        if (result.hemisphere != own && position.latitude != 0) {
            throw InvalidArgumentFailure("standard UPS",
                                         "latitude " + ValueText(position.latitude) + " lies " +
                                             HemisphereName(own) + " of the equator, and UPS " +
                                             HemisphereName(result.hemisphere) +
                                             " projects from the other pole");
        }
        // UPS asked for reaches as far as GeographicLib takes it: beyond, the polar
        // stereographic grid stretches past any use.
        if (std::fabs(position.latitude) < kUpsReachLatitude) {
            throw InvalidArgumentFailure(
                "standard UPS", "latitude " + ValueText(position.latitude) + " lies more than " +
                                    ValueText(90 - kUpsReachLatitude) + " degrees from the pole");
        }
        const auto point = PolarStereographicForward(terms.ups, result.hemisphere, position);
        result.easting = kUpsFalseOrigin + point.x;
        result.northing = kUpsFalseOrigin + point.y;
        return result;
    }
    const double offset = OffsetFromCentralMeridian(position.longitude, result.zone);
    CheckSeriesReach(position, result.zone, offset);
    const auto point = TransverseMercatorForward(terms.utm, position.latitude, offset);
    result.easting = kFalseEasting + point.x;
    result.northing = result.hemisphere == Hemisphere::South ? kFalseNorthing + point.y : point.y;
    return result;
}

GeodeticPosition UtmUpsReverse(const UtmUpsPosition& position, const UtmUpsTerms& terms,
                               GridRanges ranges) {
    CheckStandardZone(position.zone, "standard UTM/UPS reverse");
    const bool north = position.hemisphere == Hemisphere::North;
    const ReverseRange range{ranges, position.zone == kUpsZone, position.hemisphere};
    if (position.zone == kUpsZone) {
        if (ranges == GridRanges::Standard) {
            const double low = north ? 1200000 : 700000;
            const double high = north ? 2800000 : 3300000;
            CheckRange("easting", position.easting, low, high, range);
            CheckRange("northing", position.northing, low, high, range);
        } // else anywhere: the reverse itself refuses what is not a number
        return PolarStereographicReverse(
            terms.ups, position.hemisphere,
            {position.easting - kUpsFalseOrigin, position.northing - kUpsFalseOrigin});
    }
    const double shift = north ? 0 : kFalseNorthing;
    if (ranges == GridRanges::Standard) {
        CheckRange("easting", position.easting, 0, 1000000, range);
        CheckRange("northing", position.northing, north ? -9100000 : 900000,
                   north ? 9600000 : 19600000, range);
    } else {
        CheckRange("easting", position.easting, kFalseEasting - terms.utmReach,
                   kFalseEasting + terms.utmReach, range);
        CheckRange("northing", position.northing, shift - terms.utmPoleNorthing,
                   shift + terms.utmPoleNorthing, range);
    }
    const auto reversed = TransverseMercatorReverse(
        terms.utm, {position.easting - kFalseEasting, position.northing - shift});
    double longitude = std::remainder(
        CentralMeridianOfZone(position.zone) + reversed.longitudeFromCentralMeridian, 360.0);
    return {reversed.latitude, longitude};
}

} // namespace korvane
