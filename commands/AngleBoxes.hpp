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
                         const std::string& decimalSeparator);

// Whole degrees, whole minutes and seconds rounded to hundredths, as the boxes show them: the
// degrees of `degrees`, the minutes and seconds of `magnitude` (the size of the angle).
struct AngleParts {
    double degrees = 0;
    double minutes = 0;
    double seconds = 0;
    bool operator==(const AngleParts&) const = default;
};
AngleParts PartsOf(double degrees, double magnitude);

// The degrees of the longitude's size, and its letter by its sign: the window shows where the
// point lies, also when an easting reaches across the meridian into the neighbouring zone's side.
AngleBoxes LongitudeBoxes(const UtmConversion& conversion, const std::string& decimalSeparator);

} // namespace korvane
