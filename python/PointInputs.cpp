#include "PointInputs.hpp"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace korvane {

namespace {

// The shortest text that reads back as exactly value, written into buffer.
std::string_view ShortestText(char (&buffer)[32], double value) {
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

// Why a number cannot be typed into a box, or an empty text.
std::string NotFinite(const char* role, double value) {
    if (std::isnan(value)) {
        return std::string(role) + " is NaN";
    }
    return std::isinf(value) ? std::string(role) + " is infinite" : std::string();
}

} // namespace

LatLongConversion ConvertDecimalDegrees(double latitude, double longitude,
                                        const ForwardTerms& terms) {
    for (const auto& [role, value] : {std::pair{"latitude", latitude}, {"longitude", longitude}}) {
        if (std::string failure = NotFinite(role, value); !failure.empty()) {
            LatLongConversion result;
            result.failure = std::move(failure);
            return result;
        }
    }
    char latitudeText[32];
    char longitudeText[32];
    LatLongInputs inputs;
    inputs.latitude = {ShortestText(latitudeText, std::fabs(latitude)), "", ""};
    inputs.longitude = {ShortestText(longitudeText, std::fabs(longitude)), "", ""};
    // A sign picks the hemisphere, -0 too: "-0" in a file of korvane-batch's is 0 degrees S.
    inputs.latitudeHemisphere = std::signbit(latitude) ? "S" : "N";
    inputs.longitudeHemisphere = std::signbit(longitude) ? "W" : "E";
    return ConvertLatLong(inputs, terms);
}

UtmConversion ConvertGridNumbers(double northing, double easting, double zone,
                                 HemisphereCode hemisphere, const InverseTerms& terms) {
    UtmConversion result;
    for (const auto& [role, value] :
         {std::pair{"northing", northing}, {"easting", easting}, {"zone", zone}}) {
        result.failure = NotFinite(role, value);
        if (!result.Converted()) {
            return result;
        }
    }
    char northingText[32];
    char eastingText[32];
    char zoneText[32];
    const std::string_view zoneShown = ShortestText(zoneText, zone);
    // The window rounds a zone; a file's zone must be whole, and so must an array's.
    if (zone != std::trunc(zone)) {
        result.failure = "zone " + std::string(zoneShown) + " is not a whole number";
        return result;
    }
    if (hemisphere == HemisphereCode::NotALetter) {
        result.failure = "the hemisphere must be N or S";
        return result;
    }
    return ConvertUtm({ShortestText(northingText, northing), ShortestText(eastingText, easting),
                       zoneShown, HemisphereLetter(hemisphere)},
                      terms);
}

std::string_view HemisphereLetter(HemisphereCode hemisphere) {
    return hemisphere == HemisphereCode::South ? "S" : "N";
}

} // namespace korvane
