#pragma once

#include <cstdint>

namespace korvane {

// Zones, central meridians and square-letter indexes are 16-bit integers: leaving
// -32768..32767 is an overflow, never a wrap.
std::int16_t CheckedInt16(long long value, const char* step);

// Rounds to the nearest whole number (an exact half to the even one) and checks the 16-bit range.
std::int16_t RoundToInt16(double value, const char* step);

} // namespace korvane
