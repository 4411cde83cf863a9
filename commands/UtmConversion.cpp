#include "commands/UtmConversion.hpp"

#include "commands/ReadNumber.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/Int16.hpp"

#include <optional>

namespace korvane {

namespace {

// Projects the numbers read on the terms that termsOf gives, in the window's order of steps: the
// zone's range is checked, and the output frame shown, before the ellipsoid is taken.
template <class TermsOf>
UtmConversion Project(const UtmNumbers& numbers, TermsOf termsOf, PositionFor use) {
    UtmConversion result;
    try {
        UtmCoordinate& utm = result.utm;
        utm.northing = numbers.northing;
        utm.easting = numbers.easting;
        utm.zone = RoundToInt16(numbers.zone, "reading the zone");
        InverseCentralMeridian(utm.zone); // a zone outside -5430..5461 fails here, early
        utm.hemisphere = numbers.hemisphere;
        result.frameShown = true;
        result.position = use == PositionFor::Texts ? ProjectFromUtmForTexts(utm, termsOf())
                                                    : ProjectFromUtm(utm, termsOf());
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

} // namespace

UtmConversion ConvertUtm(const UtmInputs& inputs, int datumPosition) {
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
    std::optional<InverseTerms> terms;
    const auto termsOf = [&]() -> const InverseTerms& {
        return terms.emplace(
            DatumForListPosition(CheckedInt16(datumPosition, "datum list position")));
    };
    return Project(numbers, termsOf, PositionFor::Texts);
}

UtmConversion ConvertUtm(const UtmNumbers& numbers, const InverseTerms& terms, PositionFor use) {
    return Project(
        numbers, [&]() -> const InverseTerms& { return terms; }, use);
}

} // namespace korvane
