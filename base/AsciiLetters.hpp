#pragma once

namespace korvane {

// Letters as the grid's texts have them, ASCII whatever the locale: std::toupper and isalpha
// would follow the user's regional settings.

inline bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The letter in upper case; any other character as it is.
inline char UpperCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace korvane
