#include "commands/UtmConversion.hpp"

#include "commands/AngleBoxes.hpp"
#include "commands/NumberText.hpp"
#include "commands/ReadNumber.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/Int16.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/Rounding.hpp"

#include <cmath>
#include <optional>

namespace korvane {

namespace {

// Whether the degrees, minutes and hundredths of seconds of |value| are surely the same for any
// value within margin of it, told without working them out at both ends: each part lies further
// from the point where it turns than the margin can move it (60 and 3600 times as far for the
// minutes and seconds), with room for the rounding of their arithmetic.
bool ClearOfTurningPoints(double value, double margin) {
    constexpr double kRounding = 1e-9; // far above the few units in the last place they carry
    const double magnitude = std::fabs(value);
    const double minutes = (magnitude - Int(magnitude)) * 60;
    const double hundredths = (minutes - Int(minutes)) * 6000;
    return ClearOfSteps(magnitude, 0, margin + kRounding) &&
           ClearOfSteps(minutes, 0, 60 * margin + kRounding) &&
           ClearOfSteps(hundredths, 0.5, 360000 * margin + kRounding);
}

// Whether the band letter is surely the same for any latitude within margin of this one, told
// without working it out at both ends: the latitude lies further than that from every edge
// between bands, the multiples of 8 degrees and 84 degrees either side.
bool ClearOfBandEdges(double latitude, double margin) {
    constexpr double kRounding = 1e-9;
    return ClearOfSteps(latitude / 8, 0, (margin + kRounding) / 8) &&
           std::fabs(std::fabs(latitude) - 84) > margin + kRounding;
}

// Whether every text and every decision made from the position comes out the same for any
// position within margin of it: the latitude's boxes (degrees counted towards the chosen
// hemisphere), the longitude's boxes and letter, both in nine-decimal degrees, the band letter
// and the band check's edges, widened by its tolerance. Each is a step function that only rises
// (or only falls) with the value, so the same at both ends of the interval means the same all
// through it.
bool SettlesWithin(const GeodeticPosition& position, Hemisphere hemisphere, double margin) {
    const auto sameAtBothEnds = [margin](double value, auto textOf) {
        return textOf(value - margin) == textOf(value + margin);
    };
    const auto partsSettle = [&](double value, auto partsOf) {
        return ClearOfTurningPoints(value, margin) || sameAtBothEnds(value, partsOf);
    };
    const auto bandSettles = [&](double latitude) {
        return ClearOfBandEdges(latitude, margin) || sameAtBothEnds(latitude, BandLetter);
    };
    const double latitude = position.latitude;
    // A latitude that far from every band edge settles the band and both ends of its check at
    // once; the room for rounding covers working out those ends.
    const auto bandAndCheckSettle = [&] {
        return ClearOfBandEdges(latitude, margin + kBandEdgeTolerance + 1e-9) ||
               (bandSettles(latitude) && bandSettles(latitude - kBandEdgeTolerance) &&
                bandSettles(latitude + kBandEdgeTolerance));
    };
    return partsSettle(LatitudeTowards(hemisphere, latitude), LatitudeParts) &&
           partsSettle(position.longitude, LongitudeParts) &&
           NineDecimalsSettleWithin(latitude, margin) &&
           NineDecimalsSettleWithin(position.longitude, margin) && bandAndCheckSettle();
}

// The quick series' position where it surely gives the library's texts and decisions, else the
// library's own: the window, the batch converter and the Python module all show the same.
GeodeticPosition InversePosition(const UtmCoordinate& utm, const InverseTerms& terms) {
    if (const auto quick = QuickProjectFromUtm(utm, terms)) {
        if (SettlesWithin(*quick, utm.hemisphere, kQuickInverseDrift)) {
            return *quick;
        }
    }
    return ProjectFromUtm(utm, terms);
}

// Projects the numbers read on the terms that termsOf gives, in the window's order of steps: the
// zone's range is checked, and the output frame shown, before the ellipsoid is taken.
template <class TermsOf> UtmConversion Project(const UtmNumbers& numbers, TermsOf termsOf) {
    UtmConversion result;
    try {
        UtmCoordinate& utm = result.utm;
        utm.northing = numbers.northing;
        utm.easting = numbers.easting;
        utm.zone = RoundToInt16(numbers.zone, "reading the zone");
        InverseCentralMeridian(utm.zone); // a zone outside -5430..5461 fails here, early
        utm.hemisphere = numbers.hemisphere;
        result.frameShown = true;
        result.position = InversePosition(utm, termsOf());
        result.gridReference = GridReference(utm.zone, BandLetter(result.position.latitude),
                                             utm.easting, utm.northing);
    } catch (const ComputationFailure& failure) {
        const bool frameShown = result.frameShown;
        result = UtmConversion{};
        result.frameShown = frameShown;
        result.failure = failure.what();
    }
    return result;
}

template <class TermsOf> UtmConversion Convert(const UtmInputs& inputs, TermsOf termsOf) {
    UtmNumbers numbers;
    try {
        numbers.northing = ReadNumber(inputs.northing);
        numbers.easting = ReadNumber(inputs.easting);
        numbers.zone = ReadNumber(inputs.zone);
    } catch (const ComputationFailure& failure) {
        UtmConversion result;
        result.failure = failure.what();
        return result;
    }
    numbers.hemisphere = inputs.hemisphere == "S" ? Hemisphere::South : Hemisphere::North;
    return Project(numbers, termsOf);
}

} // namespace

UtmConversion ConvertUtm(const UtmInputs& inputs, int datumPosition) {
    std::optional<InverseTerms> terms;
    return Convert(inputs, [&]() -> const InverseTerms& {
        return terms.emplace(
            DatumForListPosition(CheckedInt16(datumPosition, "datum list position")));
    });
}

UtmConversion ConvertUtm(const UtmInputs& inputs, const InverseTerms& terms) {
    return Convert(inputs, [&]() -> const InverseTerms& { return terms; });
}

UtmConversion ConvertUtm(const UtmNumbers& numbers, const InverseTerms& terms) {
    return Project(numbers, [&]() -> const InverseTerms& { return terms; });
}

} // namespace korvane
