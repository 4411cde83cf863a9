#pragma once

#include <optional>
#include <string_view>

namespace korvane {

// The datum list's position of the ellipsoid that a person names, however the name is typed:
// letters in either case, with or without blanks and punctuation ("WGS84", "wgs 84",
// "clarke 1866", "North-American-1927"). Nothing for a name that is none of the list's.
std::optional<int> EllipsoidPositionOf(std::string_view typed);

// The list's name nearest to a typed name, told by the fewest letters and digits to change:
// what a person most likely meant by a name that is none of them.
std::string_view NearestEllipsoidName(std::string_view typed);

} // namespace korvane
