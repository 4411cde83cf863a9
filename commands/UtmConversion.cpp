#include "commands/UtmConversion.hpp"

#include "commands/ReadNumber.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/Int16.hpp"

#include <optional>

namespace korvane {

namespace {

// Reads the position, then projects it on the terms that termsOf gives, in the window's order of
// steps: the zone's range is checked, and the output frame shown, before the ellipsoid is taken.
template <class TermsOf> UtmConversion Convert(const UtmInputs& inputs, TermsOf termsOf) {
    UtmConversion result;
    try {
        UtmCoordinate& utm = result.utm;
        utm.northing = ReadNumber(inputs.northing);
        utm.easting = ReadNumber(inputs.easting);
        utm.zone = RoundToInt16(ReadNumber(inputs.zone), "reading the zone");
        InverseCentralMeridian(utm.zone); // a zone outside -5430..5461 fails here, early
        utm.hemisphere = inputs.hemisphere == "S" ? Hemisphere::South : Hemisphere::North;
        result.frameShown = true;
        result.position = ProjectFromUtm(utm, termsOf());
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
    std::optional<InverseTerms> terms;
    return Convert(inputs, [&]() -> const InverseTerms& {
        return terms.emplace(
            DatumForListPosition(CheckedInt16(datumPosition, "datum list position")));
    });
}

UtmConversion ConvertUtm(const UtmInputs& inputs, const InverseTerms& terms) {
    return Convert(inputs, [&]() -> const InverseTerms& { return terms; });
}

} // namespace korvane
