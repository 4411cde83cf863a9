#include "datumshift/CloseNames.hpp"

#include <algorithm>
#include <tuple>

namespace korvane {

namespace {

// Lower-case letters and digits only, in the C locale: names in PROJ's database are ASCII.
std::string Folded(std::string_view text) {
    std::string folded;
    for (const char c : text) {
        if (c >= 'A' && c <= 'Z') {
            folded.push_back(static_cast<char>(c - 'A' + 'a'));
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            folded.push_back(c);
        }
    }
    return folded;
}

// The fewest slips that turn one text into the other, where two neighbours swapped count as one
// (the optimal string alignment distance).
std::size_t Slips(std::string_view a, std::string_view b) {
    std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        previous[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t changed = a[i - 1] == b[j - 1] ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + changed});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                current[j] = std::min(current[j], before[j - 2] + 1);
            }
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[b.size()];
}

} // namespace

std::vector<std::size_t> CloseNames(std::string_view given, std::span<const std::string> names,
                                    std::size_t atMost) {
    const std::string wanted = Folded(given);
    if (wanted.empty()) {
        return {};
    }
    const std::size_t allowed = std::max<std::size_t>(1, wanted.size() / 4);
    // Ranked by slips, then by length, then in the order given.
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t>> close;
    std::vector<std::string> folded(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        folded[i] = Folded(names[i]);
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
