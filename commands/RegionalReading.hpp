#pragma once

#include "commands/RegionalSeparators.hpp"

#include <string>
#include <string_view>

namespace korvane {

// A box's text as ReadNumber is to read it, so that a window reads back the numbers it shows.
// Where the regional decimal separator is not ".", a number written the regional way, all of
// the text, with that separator as its point and the regional group separator, if any, between
// groups of three digits, comes back with "." as its point and without its groups: with German
// settings "31,11" gives "31.11" and "1.755.355,43" gives "1755355.43". Blanks, a sign and an
// exponent are taken as ReadNumber takes them. Every other text comes back as it is, and so
// keeps its reading: one that ReadNumber reads whole already ("1.234" stays one and a bit with
// German settings, "1755352.105" stays what the windows' design values have always meant), one
// that is neither form ("31,11 s", "12.34,5"), and every text where the decimal separator is ".".
std::string RegionalReading(std::string_view text, const RegionalSeparators& separators);

} // namespace korvane
