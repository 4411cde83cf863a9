#include "PointInputs.hpp"

#include "commands/GridRange.hpp"

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

} // namespace

std::string NotFiniteReason(const char* role, double value) {
    return std::string(role) + (std::isnan(value) ? " is NaN" : " is infinite");
}

LatLongConversion ConvertDecimalDegrees(double latitude, double longitude,
                                        const ForwardTerms& terms) {
    if (std::string failure = NotFiniteFailure({{"latitude", latitude}, {"longitude", longitude}});
        !failure.empty()) {
        LatLongConversion result;
        result.failure = std::move(failure);
        return result;
    }
    // A sign picks the hemisphere, -0 too: "-0" in a file of korvane-batch's is 0 degrees S.
    return ConvertLatLong(LatLongDegrees::FromSigned({latitude, longitude}), terms);
}

UtmConversion ConvertGridNumbers(double northing, double easting, double zone,
                                 HemisphereCode hemisphere, const InverseTerms& terms) {
    UtmConversion result;
    result.failure =
        NotFiniteFailure({{"northing", northing}, {"easting", easting}, {"zone", zone}});
    if (!result.failure.empty()) {
        return result;
    }
    // The window rounds a zone; a file's zone must be whole, and so must an array's.
    if (zone != std::trunc(zone)) {
        char zoneText[32];
        result.failure =
            "zone " + std::string(ShortestText(zoneText, zone)) + " is not a whole number";
        return result;
    }
    if (hemisphere == HemisphereCode::NotALetter) {
        result.failure = "the hemisphere must be N or S";
        return result;
    }
    const Hemisphere chosen =
        hemisphere == HemisphereCode::South ? Hemisphere::South : Hemisphere::North;
    const UtmNumbers numbers{northing, easting, zone, chosen};
    // Positions of the grid only, as korvane-batch answers them.
    if (const OffTheGrid where = WhereOffTheGrid(numbers); where != OffTheGrid::Not) {
        const auto [role, value] = where == OffTheGrid::Zone      ? std::pair{"zone", zone}
                                   : where == OffTheGrid::Easting ? std::pair{"easting", easting}
                                                                  : std::pair{"northing", northing};
        char text[32];
        result.failure = std::string(role) + " " + std::string(ShortestText(text, value)) + " " +
                         std::string(OffTheGridReason(where));
        return result;
    }
    result = ConvertUtm(numbers, terms, PositionFor::Numbers);
    // Decided on the library series' position, as korvane-batch decides it.
    if (result.Converted()) {
        if (std::string pole = PoleFailure(result.position.latitude); !pole.empty()) {
            result = UtmConversion{};
            result.failure = std::move(pole);
        }
    }
    return result;
}

std::string_view HemisphereLetter(HemisphereCode hemisphere) {
    return hemisphere == HemisphereCode::South ? "S" : "N";
}

} // namespace korvane
