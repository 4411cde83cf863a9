#include "batch/UsualNotation.hpp"

#include "base/AsciiLetters.hpp"
#include "base/DigitRun.hpp"
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

bool StartsWithZoneAndLetter(std::string_view field) {
    const std::string_view text = Trimmed(field);
    const std::size_t digits = DigitRunLength(text);
    return digits <= 2 && digits < text.size() && IsLetter(text[digits]) &&
           (digits > 0 || text.size() == 1);
}

bool IsBlankSeparatedUsualNotation(std::span<const std::string_view> fields) {
    if (fields.size() != 3) {
        return false;
    }
    const std::string_view first = Trimmed(fields[0]);
    return StartsWithZoneAndLetter(first) && first.size() == DigitRunLength(first) + 1 &&
           StartsAsNumber(fields[1]) && StartsAsNumber(fields[2]);
}

} // namespace korvane
