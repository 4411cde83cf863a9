#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace korvane {

// Whether the eight characters at text are all digits, and if so their value: a plain decimal's
// usual nine decimals take one step and a digit rather than nine.
inline bool EightDigits(const char* text, std::uint64_t& value) {
    if constexpr (std::endian::native != std::endian::little) {
        return false; // the first character must be the lowest byte
    }
    std::uint64_t chunk = 0;
    std::memcpy(&chunk, text, sizeof chunk);
    constexpr std::uint64_t kEach = 0x0101010101010101;
    // A byte is a digit when its high half is 3 and adding 6 keeps it there (no carry past 9).
    if ((chunk & (0xF0 * kEach)) != 0x30 * kEach ||
        ((chunk + 0x06 * kEach) & (0xF0 * kEach)) != 0x30 * kEach) {
        return false;
    }
    chunk -= 0x30 * kEach;
    chunk = (chunk * 10 + (chunk >> 8)) & 0x00FF00FF00FF00FF;     // pairs of digits
    chunk = (chunk * 100 + (chunk >> 16)) & 0x0000FFFF0000FFFF;   // groups of four
    value = (chunk * 10000 + (chunk >> 32)) & 0x00000000FFFFFFFF; // all eight
    return true;
}

// How many digits text starts with, eight at a time where it can.
inline std::size_t DigitRunLength(std::string_view text) {
    std::size_t length = 0;
    for (std::uint64_t eight = 0; length + 8 <= text.size() && EightDigits(&text[length], eight);
         length += 8) {
    }
    while (length < text.size() && text[length] >= '0' && text[length] <= '9') {
        ++length;
    }
    return length;
}

} // namespace korvane
