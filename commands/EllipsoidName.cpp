#include "commands/EllipsoidName.hpp"

#include "geodesy/DatumTable.hpp"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace korvane {

namespace {

// The letters, in lower case, and the digits of a name: what tells the list's names apart.
std::string Letters(std::string_view name) {
    std::string letters;
    for (const char c : name) {
        if (c >= 'A' && c <= 'Z') {
            letters += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            letters += c;
        }
    }
    return letters;
}

// How many characters must be inserted, deleted or replaced to turn one text into the other.
std::size_t EditDistance(std::string_view from, std::string_view to) {
    std::vector<std::size_t> row(to.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= from.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= to.size(); ++j) {
            const std::size_t replaced = diagonal + (from[i - 1] == to[j - 1] ? 0 : 1);
            diagonal = row[j];
            row[j] = std::min({replaced, row[j] + 1, row[j - 1] + 1});
        }
    }
    return row[to.size()];
}

} // namespace

std::optional<int> EllipsoidPositionOf(std::string_view typed) {
    const std::string letters = Letters(typed);
    const auto datums = ListedDatums();
    for (std::size_t position = 0; position < datums.size(); ++position) {
        if (Letters(datums[position].listName) == letters) {
            return static_cast<int>(position);
        }
    }
    return std::nullopt;
}

std::string_view NearestEllipsoidName(std::string_view typed) {
    const std::string letters = Letters(typed);
    const auto datums = ListedDatums();
    const auto nearest = std::min_element(datums.begin(), datums.end(),
                                          [&](const DatumEntry& one, const DatumEntry& other) {
                                              return EditDistance(letters, Letters(one.listName)) <
                                                     EditDistance(letters, Letters(other.listName));
                                          });
    return nearest->listName;
}

} // namespace korvane
