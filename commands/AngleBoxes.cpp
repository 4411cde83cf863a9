#include "commands/AngleBoxes.hpp"

#include "commands/NumberText.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/Rounding.hpp"

#include <cmath>

namespace korvane {

namespace {

AngleBoxes Boxes(double degrees, double magnitude, std::string_view letter,
                 const std::string& decimalSeparator) {
    const AngleParts parts = PartsOf(degrees, magnitude);
    return {PlainNumber(parts.degrees, decimalSeparator),
            PlainNumber(parts.minutes, decimalSeparator),
            PlainNumber(parts.seconds, decimalSeparator), std::string(letter)};
}

} // namespace

AngleParts PartsOf(double degrees, double magnitude) {
    const double minutes = (magnitude - Int(magnitude)) * 60;
    return {Int(degrees), Int(minutes), RoundToHundredths((minutes - Int(minutes)) * 60)};
}

AngleBoxes LatitudeBoxes(const UtmConversion& conversion, std::string_view letter,
                         const std::string& decimalSeparator) {
    const double towardsHemisphere =
        LatitudeTowards(conversion.utm.hemisphere, conversion.position.latitude);
    return Boxes(towardsHemisphere, std::fabs(towardsHemisphere), letter, decimalSeparator);
}

AngleBoxes LongitudeBoxes(const UtmConversion& conversion, const std::string& decimalSeparator) {
    const double longitude = conversion.position.longitude;
    // By the sign rather than by the zone: a letter from the zone would call a point that an
    // easting puts across Greenwich by the wrong side.
    return Boxes(std::fabs(longitude), std::fabs(longitude), longitude < 0 ? "W" : "E",
                 decimalSeparator);
}

} // namespace korvane
