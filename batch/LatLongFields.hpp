#pragma once

#include "commands/LatLongConversion.hpp"

#include <span>
#include <string>
#include <string_view>

namespace korvane {

// A position to convert to UTM, read as the Lat/Long window reads its boxes (ReadLatLong): two
// fields, a latitude and a longitude in any form that AngleText reads (the longitude may come
// first when both carry hemisphere letters), or the window's eight inputs, each field a number
// read whole (latitude degrees, minutes, seconds, N or S, then the same for the longitude with E
// or W). Fields separated by blanks are read only in these two forms, which have one reading
// each. Gives an empty text, or what is wrong.
std::string ReadLatLongDegrees(std::span<const std::string_view> fields, bool blankSeparated,
                               LatLongDegrees& degrees);

} // namespace korvane
