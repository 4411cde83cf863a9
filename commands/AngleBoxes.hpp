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
// string for each box. The boxes above are these texts, cut apart.
void AppendLatitudeBoxes(std::string& text, const UtmConversion& conversion,
                         std::string_view letter, std::string_view decimalSeparator, char after);
void AppendLongitudeBoxes(std::string& text, const UtmConversion& conversion,
                          std::string_view decimalSeparator, char after);

} // namespace korvane
