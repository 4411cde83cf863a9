#pragma once

#include "commands/UtmConversion.hpp"

#include <array>
#include <string>
#include <string_view>

namespace korvane {

// The four boxes of a latitude or a longitude as the UTM window shows them: whole degrees, whole
// minutes, seconds to two decimals, and the hemisphere letter. Seconds that round to 60 stay 60:
// they are not carried into the minutes.
using AngleBoxes = std::array<std::string, 4>;

// The degrees count from the equator towards the chosen hemisphere, so a point beyond the equator
// shows negative degrees under the chosen letter, which is the hemisphere list's text as it
// stands. Minutes and seconds come from the latitude's size.
AngleBoxes LatitudeBoxes(const UtmConversion& conversion, std::string_view letter,
                         std::string_view decimalSeparator);

// The degrees of the longitude's size, and its letter by its sign: the window shows where the
// point lies, also when an easting reaches across the meridian into the neighbouring zone's side.
AngleBoxes LongitudeBoxes(const UtmConversion& conversion, std::string_view decimalSeparator);

// The same boxes' texts appended to text, each followed by `after`: a line of text needs no
// string for each box.
void AppendLatitudeBoxes(std::string& text, const UtmConversion& conversion,
                         std::string_view letter, std::string_view decimalSeparator, char after);
void AppendLongitudeBoxes(std::string& text, const UtmConversion& conversion,
                          std::string_view decimalSeparator, char after);

// What the boxes show, as numbers: whole degrees, whole minutes, seconds rounded to hundredths,
// and for a longitude whether its letter is W. The boxes' texts follow from these alone.
struct AngleParts {
    double degrees = 0;
    double minutes = 0;
    double seconds = 0;
    bool west = false;
    bool operator==(const AngleParts&) const = default;
};

// The parts of a latitude counted from the equator towards the chosen hemisphere.
AngleParts LatitudeParts(double towardsHemisphere);
// The parts of a longitude, east positive.
AngleParts LongitudeParts(double longitude);

} // namespace korvane
