#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

// The text of a typed grid reference, taken apart by its readers (the windows' form and MGRS).
namespace korvane::reference_text {

inline constexpr std::size_t kLongestQuote = 40;

// The user's text in quotes, cut when long. Texts are quoted only once every character is known
// to be printable ASCII, so the cut falls between characters and nothing unprintable is shown.
inline std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text.substr(0, kLongestQuote));
    quoted.append(text.size() > kLongestQuote ? "...\"" : "\"");
    return quoted;
}

inline std::string Quoted(char character) {
    return Quoted(std::string_view(&character, 1));
}

// Where the first character that is not printable ASCII stands (a tab, a control character or
// anything beyond ASCII: blanks are spaces only), or npos. Every character before it is a single
// byte, so the place counts characters.
inline std::size_t FirstUnprintable(std::string_view text) {
    const auto found = std::find_if(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte > 0x7E;
    });
    return found == text.end() ? std::string_view::npos
                               : static_cast<std::size_t>(found - text.begin());
}

inline std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

inline void SkipBlanks(std::string_view& rest) {
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
}

inline std::string_view TakeDigits(std::string_view& rest) {
    const auto end =
        std::find_if(rest.begin(), rest.end(), [](char c) { return c < '0' || c > '9'; });
    const std::string_view digits = rest.substr(0, static_cast<std::size_t>(end - rest.begin()));
    rest.remove_prefix(digits.size());
    return digits;
}

// The value of a run of digits, at most eighteen.
inline long long DigitsValue(std::string_view digits) {
    long long value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
    }
    return value;
}

} // namespace korvane::reference_text
