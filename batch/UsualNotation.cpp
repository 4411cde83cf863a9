#include "batch/UsualNotation.hpp"

#include "batch/LineText.hpp"

#include <algorithm>

namespace korvane {

namespace {

bool StartsAsNumber(std::string_view field) {
    const std::string_view text = Trimmed(field);
    return !text.empty() &&
           std::string_view("0123456789+-.").find(text.front()) != std::string_view::npos;
}

} // namespace

std::size_t LeadingDigits(std::string_view text) {
    // A plain loop: a search for any of ten characters looks each one up on its own.
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    return digits;
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool StartsWithZoneAndLetter(std::string_view field) {
    const std::string_view text = Trimmed(field);
    const std::size_t digits = LeadingDigits(text);
    return digits <= 2 && digits < text.size() && IsLetter(text[digits]) &&
           (digits > 0 || text.size() == 1);
}

bool IsBlankSeparatedUsualNotation(std::span<const std::string_view> fields) {
    if (fields.size() != 3) {
        return false;
    }
    const std::string_view first = Trimmed(fields[0]);
    return StartsWithZoneAndLetter(first) && first.size() == LeadingDigits(first) + 1 &&
           StartsAsNumber(fields[1]) && StartsAsNumber(fields[2]);
}

} // namespace korvane
