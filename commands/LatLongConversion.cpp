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

struct Angle {
    double degrees = 0;
    std::string failure;
};

// Why an angle outside 0 to limit degrees cannot be converted.
[[gnu::noinline]] Angle OutsideItsRange(double degrees, const char* name, double limit) {
    const std::string shown = std::isfinite(degrees) ? PlainNumber(degrees, ".") : "too large";
    return {0, std::string(name) + " " + shown + " is outside 0 to " + PlainNumber(limit, ".") +
                   " degrees"};
}

// The angle, or why it cannot be converted: outside 0 to limit degrees.
inline Angle RangeChecked(double degrees, const char* name, double limit) {
    if (!(degrees >= 0 && degrees <= limit)) {
        return OutsideItsRange(degrees, name, limit);
    }
    return {degrees, {}};
}

Angle ReadAngle(const std::array<std::string_view, 3>& texts, const char* name, double limit) {
    double parts[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        try {
            parts[i] = ReadNumber(texts[i]);
        } catch (const ComputationFailure&) {
            return {0, std::string(name) + " " + kPartNames[i] + " is too large to read"};
        }
    }
    return RangeChecked((parts[0] + parts[1] / 60) + parts[2] / 3600, name, limit);
}

// Projects the angles on the terms that termsOf gives: an ellipsoid that cannot be had fails the
// conversion only once the input has been found good.
template <class TermsOf>
LatLongConversion Project(const Angle& latitude, const Angle& longitude, bool south, bool west,
                          TermsOf termsOf) {
    LatLongConversion result;
    if (!latitude.failure.empty() || !longitude.failure.empty()) {
        result.failure = !latitude.failure.empty() ? latitude.failure : longitude.failure;
        return result;
    }
    const GeodeticPosition position{south ? -latitude.degrees : latitude.degrees,
                                    west ? -longitude.degrees : longitude.degrees};
    try {
        const auto projected =
            ProjectToUtm(position, south ? Hemisphere::South : Hemisphere::North, termsOf());
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

LatLongReading ReadLatLongInputs(const LatLongInputs& inputs) {
    const Angle latitude = ReadAngle(inputs.latitude, "latitude", 90);
    const Angle longitude = ReadAngle(inputs.longitude, "longitude", 180);
    if (!latitude.failure.empty() || !longitude.failure.empty()) {
        return {{}, !latitude.failure.empty() ? latitude.failure : longitude.failure};
    }
    return {{latitude.degrees, longitude.degrees, inputs.latitudeHemisphere == "S",
             inputs.longitudeHemisphere == "W"},
            {}};
}

namespace {

template <class TermsOf> LatLongConversion Convert(const LatLongInputs& inputs, TermsOf termsOf) {
    const Angle latitude = ReadAngle(inputs.latitude, "latitude", 90);
    const Angle longitude = ReadAngle(inputs.longitude, "longitude", 180);
    return Project(latitude, longitude, inputs.latitudeHemisphere == "S",
                   inputs.longitudeHemisphere == "W", termsOf);
}

} // namespace

LatLongConversion ConvertLatLong(const LatLongInputs& inputs, int datumPosition) {
    std::optional<ForwardTerms> terms;
    return Convert(inputs, [&]() -> const ForwardTerms& {
        return terms.emplace(
            DatumForListPosition(CheckedInt16(datumPosition, "datum list position")));
    });
}

LatLongConversion ConvertLatLong(const LatLongInputs& inputs, const ForwardTerms& terms) {
    return Convert(inputs, [&]() -> const ForwardTerms& { return terms; });
}

LatLongConversion ConvertLatLong(const LatLongDegrees& degrees, const ForwardTerms& terms) {
    return Project(RangeChecked(degrees.latitude, "latitude", 90),
                   RangeChecked(degrees.longitude, "longitude", 180), degrees.south, degrees.west,
                   [&]() -> const ForwardTerms& { return terms; });
}

} // namespace korvane
