#include "commands/AngleBoxes.hpp"

#include "commands/NumberText.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/Rounding.hpp"

#include <cmath>

namespace korvane {

namespace {

// The degrees of `degrees`, the minutes and seconds of `magnitude`, the size of the angle.
AngleParts PartsOf(double degrees, double magnitude) {
    const double minutes = (magnitude - Int(magnitude)) * 60;
    return {Int(degrees), Int(minutes), RoundToHundredths((minutes - Int(minutes)) * 60)};
}

AngleBoxes Boxes(const AngleParts& parts, std::string_view letter,
                 const std::string& decimalSeparator) {
    return {PlainNumber(parts.degrees, decimalSeparator),
            PlainNumber(parts.minutes, decimalSeparator),
            PlainNumber(parts.seconds, decimalSeparator), std::string(letter)};
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
                         const std::string& decimalSeparator) {
    return Boxes(
        LatitudeParts(LatitudeTowards(conversion.utm.hemisphere, conversion.position.latitude)),
        letter, decimalSeparator);
}

AngleBoxes LongitudeBoxes(const UtmConversion& conversion, const std::string& decimalSeparator) {
    const AngleParts parts = LongitudeParts(conversion.position.longitude);
    return Boxes(parts, parts.west ? "W" : "E", decimalSeparator);
}

} // namespace korvane
