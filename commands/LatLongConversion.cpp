#include "commands/LatLongConversion.hpp"

#include "commands/NumberText.hpp"
#include "commands/ReadNumber.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/Int16.hpp"

#include <cmath>
#include <optional>

namespace korvane {

namespace {

constexpr const char* kPartNames[] = {"degrees", "minutes", "seconds"};

// Why an angle outside 0 to limit degrees cannot be converted.
[[gnu::noinline]] std::string OutsideItsRange(double degrees, const char* name, double limit) {
    const std::string shown = std::isfinite(degrees) ? PlainNumber(degrees, ".") : "too large";
    return std::string(name) + " " + shown + " is outside 0 to " + PlainNumber(limit, ".") +
           " degrees";
}

bool InRange(double degrees, double limit) {
    return degrees >= 0 && degrees <= limit;
}

// Reads an angle's three boxes into degrees: an empty text, or why it cannot be converted.
std::string ReadAngle(const std::array<std::string_view, 3>& texts, const char* name, double limit,
                      double& degrees) {
    double parts[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        try {
            parts[i] = ReadNumber(texts[i]);
        } catch (const ComputationFailure&) {
            return std::string(name) + " " + kPartNames[i] + " is too large to read";
        }
    }
    degrees = (parts[0] + parts[1] / 60) + parts[2] / 3600;
    return InRange(degrees, limit) ? std::string() : OutsideItsRange(degrees, name, limit);
}

// Projects the degrees on the terms that termsOf gives: an ellipsoid that cannot be had fails the
// conversion only once the input has been found good.
template <class TermsOf> LatLongConversion Project(const LatLongDegrees& degrees, TermsOf termsOf) {
    LatLongConversion result;
    if (!InRange(degrees.latitude, 90)) {
        result.failure = OutsideItsRange(degrees.latitude, "latitude", 90);
        return result;
    }
    if (!InRange(degrees.longitude, 180)) {
        result.failure = OutsideItsRange(degrees.longitude, "longitude", 180);
        return result;
    }
    const GeodeticPosition position = degrees.Signed();
    try {
        const auto projected = ProjectToUtm(
            position, degrees.south ? Hemisphere::South : Hemisphere::North, termsOf());
        result.zone = projected.utm.zone;
        result.centralMeridian = projected.centralMeridian;
        result.band = BandLetter(position.latitude);
        result.northing = projected.utm.northing;
        result.easting = projected.utm.easting;
        result.gridReference =
            GridReference(result.zone, result.band, result.easting, result.northing);
    } catch (const ComputationFailure& failure) {
        result = LatLongConversion{};
        result.failure = failure.what();
    }
    return result;
}

} // namespace

std::string ReadLatLong(const LatLongInputs& inputs, LatLongDegrees& degrees) {
    degrees.south = inputs.latitudeHemisphere == "S";
    degrees.west = inputs.longitudeHemisphere == "W";
    if (std::string failure = ReadAngle(inputs.latitude, "latitude", 90, degrees.latitude);
        !failure.empty()) {
        return failure;
    }
    return ReadAngle(inputs.longitude, "longitude", 180, degrees.longitude);
}

LatLongConversion ConvertLatLong(const LatLongInputs& inputs, int datumPosition) {
    LatLongDegrees degrees;
    if (std::string failure = ReadLatLong(inputs, degrees); !failure.empty()) {
        LatLongConversion result;
        result.failure = std::move(failure);
        return result;
    }
    std::optional<ForwardTerms> terms;
    return Project(degrees, [&]() -> const ForwardTerms& {
        return terms.emplace(
            DatumForListPosition(CheckedInt16(datumPosition, "datum list position")));
    });
}

LatLongConversion ConvertLatLong(const LatLongDegrees& degrees, const ForwardTerms& terms) {
    return Project(degrees, [&]() -> const ForwardTerms& { return terms; });
}

} // namespace korvane
