#pragma once

#include <cctype>
#include <string_view>

namespace korvane::fuzz {

// Recognisers for the texts the program writes, so that a fuzz run can tell a well-formed
// result from a half-written or broken one.

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

inline bool TakeDigits(std::string_view& text, std::size_t minimum, std::size_t maximum) {
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count])) {
        ++count;
    }
    if (count < minimum || count > maximum) {
        return false;
    }
    text.remove_prefix(count);
    return true;
}

inline bool TakeText(std::string_view& text, std::string_view expected) {
    if (text.substr(0, expected.size()) != expected) {
        return false;
    }
    text.remove_prefix(expected.size());
    return true;
}

inline void SkipSign(std::string_view& text) {
    if (!text.empty() && text[0] == '-') {
        text.remove_prefix(1);
    }
}

// "-12", "0", "187": a whole number.
inline bool IsWholeNumber(std::string_view text) {
    SkipSign(text);
    return TakeDigits(text, 1, 400) && text.empty();
}

// "31", "16.1", "0.333333333333333": no exponent, no trailing zeros after the point.
inline bool IsPlainNumber(std::string_view text) {
    SkipSign(text);
    if (!TakeDigits(text, 1, 400)) {
        return false;
    }
    if (text.empty()) {
        return true;
    }
    return TakeText(text, ".") && TakeDigits(text, 1, 400) && text.empty();
}

// "1,755,355.43", "500,000.", ".": the grouped pattern with English separators.
inline bool IsGroupedNumber(std::string_view text) {
    SkipSign(text);
    const auto point = text.find('.');
    if (point == std::string_view::npos) {
        return false;
    }
    std::string_view whole = text.substr(0, point);
    std::string_view decimals = text.substr(point + 1);
    if (!whole.empty()) {
        const std::size_t first = (whole.size() - 1) % 4 + 1; // digits before the first ","
        std::string_view head = whole.substr(0, first);
        if (!TakeDigits(head, 1, 3) || !head.empty() || whole[0] == '0') {
            return false;
        }
        for (std::size_t i = first; i < whole.size(); i += 4) {
            std::string_view group = whole.substr(i, 4);
            if (!TakeText(group, ",") || !TakeDigits(group, 3, 3) || !group.empty()) {
                return false;
            }
        }
    }
    return TakeDigits(decimals, 0, 2) && decimals.empty() &&
           (text.back() == '.' || text.back() != '0');
}

// One character of the Latin-1 range written in UTF-8: a square letter.
inline bool TakeSquareLetter(std::string_view& text) {
    if (text.empty()) {
        return false;
    }
    const auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x80) {
        text.remove_prefix(1);
        return true;
    }
    if ((first == 0xC2 || first == 0xC3) && text.size() >= 2 &&
        (static_cast<unsigned char>(text[1]) & 0xC0) == 0x80) {
        text.remove_prefix(2);
        return true;
    }
    return false;
}

// "38 P   MC  02339  55355": zone, band, square letters and two five-digit fields.
inline bool IsGridReference(std::string_view text) {
    SkipSign(text);
    if (!TakeDigits(text, 1, 5) || !TakeText(text, " ") || text.empty() ||
        !std::isupper(static_cast<unsigned char>(text[0]))) {
        return false;
    }
    text.remove_prefix(1);
    if (!TakeText(text, "   ") || !TakeSquareLetter(text) || !TakeSquareLetter(text)) {
        return false;
    }
    for (int field = 0; field < 2; ++field) {
        if (!TakeText(text, "  ")) {
            return false;
        }
        SkipSign(text);
        if (!TakeDigits(text, 5, 5)) {
            return false;
        }
    }
    return text.empty();
}

} // namespace korvane::fuzz
