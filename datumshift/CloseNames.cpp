#include "datumshift/CloseNames.hpp"

#include "base/NameSlips.hpp"

#include <algorithm>
#include <tuple>

namespace korvane {

std::vector<std::size_t> CloseNames(std::string_view given, std::span<const std::string> names,
                                    std::size_t atMost) {
    const std::string wanted = FoldedName(given);
    if (wanted.empty()) {
        return {};
    }
    const std::size_t allowed = std::max<std::size_t>(1, wanted.size() / 4);
    // Ranked by slips, then by length, then in the order given.
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t>> close;
    std::vector<std::string> folded(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        folded[i] = FoldedName(names[i]);
        const std::size_t slips = Slips(wanted, folded[i]);
        if (slips <= allowed) {
            close.emplace_back(slips, folded[i].size(), i);
        } else if (wanted.size() >= 3 && folded[i].starts_with(wanted)) {
            close.emplace_back(allowed + 1, folded[i].size(), i);
        }
    }
    std::sort(close.begin(), close.end());
    std::vector<std::size_t> chosen;
    for (const auto& ranked : close) {
        const std::size_t index = std::get<2>(ranked);
        if (chosen.size() == atMost) {
            break;
        }
        const bool seen = std::any_of(chosen.begin(), chosen.end(), [&](std::size_t other) {
            return folded[other] == folded[index];
        });
        if (!seen) {
            chosen.push_back(index);
        }
    }
    return chosen;
}

} // namespace korvane
