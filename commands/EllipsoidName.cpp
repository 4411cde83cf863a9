#include "commands/EllipsoidName.hpp"

#include "base/NameSlips.hpp"
#include "geodesy/DatumTable.hpp"

#include <algorithm>
#include <string>

namespace korvane {

std::optional<int> EllipsoidPositionOf(std::string_view typed) {
    const std::string letters = FoldedName(typed);
    const auto datums = ListedDatums();
    for (std::size_t position = 0; position < datums.size(); ++position) {
        if (FoldedName(datums[position].listName) == letters) {
            return static_cast<int>(position);
        }
    }
    return std::nullopt;
}

std::string_view NearestEllipsoidName(std::string_view typed) {
    const std::string letters = FoldedName(typed);
    const auto datums = ListedDatums();
    const auto nearest = std::min_element(datums.begin(), datums.end(),
                                          [&](const DatumEntry& one, const DatumEntry& other) {
                                              return Slips(letters, FoldedName(one.listName)) <
                                                     Slips(letters, FoldedName(other.listName));
                                          });
    return nearest->listName;
}

} // namespace korvane
