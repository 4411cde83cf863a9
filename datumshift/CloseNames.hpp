#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The names close to one that was not found, best first, as indexes into `names`. Case, blanks
// and punctuation are set aside; a name is close when it is within one slip (a character left
// out, added, changed, or two swapped) for every four characters of the one given, or when it
// begins with the one given. Names that differ only in what is set aside are given once. At most
// `atMost` are given.
std::vector<std::size_t> CloseNames(std::string_view given, std::span<const std::string> names,
                                    std::size_t atMost);

} // namespace korvane
