#pragma once

#include "geodesy/Rounding.hpp"

#include <cstdint>
#include <limits>

namespace korvane {

namespace int16_detail {
inline constexpr long long kMin = std::numeric_limits<std::int16_t>::min();
inline constexpr long long kMax = std::numeric_limits<std::int16_t>::max();
[[noreturn]] void ThrowOutOfRange(long long value, const char* step);
[[noreturn]] void ThrowDoesNotRound(double value, const char* step);
} // namespace int16_detail

// Zones, central meridians and square-letter indexes are 16-bit integers: leaving
// -32768..32767 is an overflow, never a wrap.
inline std::int16_t CheckedInt16(long long value, const char* step) {
    if (value < int16_detail::kMin || value > int16_detail::kMax) {
        int16_detail::ThrowOutOfRange(value, step);
    }
    return static_cast<std::int16_t>(value);
}

// RoundToInt16 for a value that is whole already, such as a sum of rounded-down numbers:
// rounding it would change nothing, so only the range is checked.
inline std::int16_t WholeToInt16(double whole, const char* step) {
    if (!(whole >= static_cast<double>(int16_detail::kMin) &&
          whole <= static_cast<double>(int16_detail::kMax))) {
        int16_detail::ThrowDoesNotRound(whole, step);
    }
    return static_cast<std::int16_t>(whole);
}

// Rounds to the nearest whole number (an exact half to the even one) and checks the 16-bit range.
inline std::int16_t RoundToInt16(double value, const char* step) {
    return WholeToInt16(RoundHalfEven(value), step);
}

} // namespace korvane
