#include "commands/AngleBoxes.hpp"

#include "commands/NumberText.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/Rounding.hpp"

#include <cmath>
#include <initializer_list>

namespace korvane {

namespace {

// The degrees of `degrees`, the minutes and seconds of `magnitude`, the size of the angle.
AngleParts PartsOf(double degrees, double magnitude) {
    const double minutes = (magnitude - Int(magnitude)) * 60;
    return {Int(degrees), Int(minutes), RoundToHundredths((minutes - Int(minutes)) * 60)};
}

AngleBoxes Boxes(const AngleParts& parts, std::string_view letter,
                 std::string_view decimalSeparator) {
    return {PlainNumber(parts.degrees, decimalSeparator),
            PlainNumber(parts.minutes, decimalSeparator),
            PlainNumber(parts.seconds, decimalSeparator), std::string(letter)};
}

void AppendBoxes(std::string& text, const AngleParts& parts, std::string_view letter,
                 std::string_view decimalSeparator, char after) {
    for (const double part : {parts.degrees, parts.minutes, parts.seconds}) {
        AppendPlainNumber(text, part, decimalSeparator);
        text.push_back(after);
    }
    text.append(letter).push_back(after);
}

AngleParts LatitudePartsOf(const UtmConversion& conversion) {
    return LatitudeParts(LatitudeTowards(conversion.utm.hemisphere, conversion.position.latitude));
}

std::string_view LongitudeLetter(const AngleParts& parts) {
    return parts.west ? "W" : "E";
}

} // namespace

AngleParts LatitudeParts(double towardsHemisphere) {
    return PartsOf(towardsHemisphere, std::fabs(towardsHemisphere));
}

AngleParts LongitudeParts(double longitude) {
    AngleParts parts = PartsOf(std::fabs(longitude), std::fabs(longitude));
    // By the sign rather than by the zone: a letter from the zone would call a point that an
    // easting puts across Greenwich by the wrong side.
    parts.west = longitude < 0;
    return parts;
}

AngleBoxes LatitudeBoxes(const UtmConversion& conversion, std::string_view letter,
                         std::string_view decimalSeparator) {
    return Boxes(LatitudePartsOf(conversion), letter, decimalSeparator);
}

AngleBoxes LongitudeBoxes(const UtmConversion& conversion, std::string_view decimalSeparator) {
    const AngleParts parts = LongitudeParts(conversion.position.longitude);
    return Boxes(parts, LongitudeLetter(parts), decimalSeparator);
}

void AppendLatitudeBoxes(std::string& text, const UtmConversion& conversion,
                         std::string_view letter, std::string_view decimalSeparator, char after) {
    AppendBoxes(text, LatitudePartsOf(conversion), letter, decimalSeparator, after);
}

void AppendLongitudeBoxes(std::string& text, const UtmConversion& conversion,
                          std::string_view decimalSeparator, char after) {
    const AngleParts parts = LongitudeParts(conversion.position.longitude);
    AppendBoxes(text, parts, LongitudeLetter(parts), decimalSeparator, after);
}

} // namespace korvane
