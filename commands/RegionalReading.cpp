#include "commands/RegionalReading.hpp"

#include "commands/NumberCursor.hpp"

#include <optional>

namespace korvane {

namespace {

// All of the text as one number written with these separators (no group separator when `group`
// is empty): an optional sign; digits, grouped by threes where a group separator stands between
// them; the decimal separator and more digits; a digit somewhere; an exponent, E or D with an
// optional sign and at least one digit. The same number with "." as its point and no groups, or
// nothing when the text is anything else.
std::optional<std::string> WrittenWith(std::string_view text, std::string_view group,
                                       std::string_view decimal) {
    NumberCursor scan(text);
    std::string number;
    if (scan.Peek() == '+' || scan.Peek() == '-') {
        number += scan.Peek();
        scan.Advance();
    }
    int digits = 0;
    int groupDigits = 0;
    bool grouped = false;
    for (;;) {
        if (IsDigit(scan.Peek())) {
            number += scan.Peek();
            scan.Advance();
            ++digits;
            ++groupDigits;
        } else if (groupDigits > 0 && scan.Take(group)) {
            // One to three digits before the first separator, exactly three after each.
            if (grouped ? groupDigits != 3 : groupDigits > 3) {
                return std::nullopt;
            }
            grouped = true;
            groupDigits = 0;
        } else {
            break;
        }
    }
    if (grouped && groupDigits != 3) {
        return std::nullopt;
    }
    if (scan.Take(decimal)) {
        number += '.';
        for (; IsDigit(scan.Peek()); scan.Advance()) {
            number += scan.Peek();
            ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    const char marker = scan.Peek();
    if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
        number += 'e';
        scan.Advance();
        if (scan.Peek() == '+' || scan.Peek() == '-') {
            number += scan.Peek();
            scan.Advance();
        }
        int exponentDigits = 0;
        for (; IsDigit(scan.Peek()); scan.Advance()) {
            number += scan.Peek();
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (!scan.AtEnd()) {
        return std::nullopt;
    }
    return number;
}

bool AllBlank(std::string_view text) {
    for (const char c : text) {
        if (!IsNumberBlank(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string RegionalReading(std::string_view text, const RegionalSeparators& separators) {
    const std::string_view decimal = separators.decimal;
    if (decimal == "." || AllBlank(decimal)) {
        return std::string(text);
    }
    // A group separator of blanks is passed over like any blank; one the same as the point
    // cannot be told from it.
    std::string_view group = separators.group;
    if (AllBlank(group) || group == decimal) {
        group = {};
    }
    const std::optional<std::string> regional = WrittenWith(text, group, decimal);
    // What the old reading takes whole keeps its reading, even where the regional one would
    // take it too ("1.234" with German settings): no text that was read in full changes.
    if (!regional || WrittenWith(text, "", ".")) {
        return std::string(text);
    }
    return *regional;
}

} // namespace korvane
