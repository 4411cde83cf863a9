#pragma once

#include <span>
#include <string_view>

namespace korvane {

// Whether the field starts as the usual notation's first field and a grid reference do: a zone
// of one or two digits, then a letter; or a letter alone (UPS's "N" in the usual notation).
bool StartsWithZoneAndLetter(std::string_view field);

// Whether a line's blank-separated fields are the usual notation ("38N 402339.35 1755355.43")
// rather than a grid reference with blanks in it ("38P MC 0233955355"): three fields, the first
// a zone and one letter alone, the other two starting as numbers do.
bool IsBlankSeparatedUsualNotation(std::span<const std::string_view> fields);

} // namespace korvane
