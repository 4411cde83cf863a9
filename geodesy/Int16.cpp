#include "geodesy/Int16.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/Rounding.hpp"

#include <cmath>
#include <limits>
#include <string>

namespace korvane {

namespace {
constexpr long long kMin = std::numeric_limits<std::int16_t>::min();
constexpr long long kMax = std::numeric_limits<std::int16_t>::max();
} // namespace

std::int16_t CheckedInt16(long long value, const char* step) {
    if (value < kMin || value > kMax) {
        throw OverflowFailure(step, std::to_string(value) + " is outside -32768..32767");
    }
    return static_cast<std::int16_t>(value);
}

std::int16_t RoundToInt16(double value, const char* step) {
    const double whole = RoundHalfEven(value);
    if (!(whole >= static_cast<double>(kMin) && whole <= static_cast<double>(kMax))) {
        throw OverflowFailure(step, "the value does not round into -32768..32767");
    }
    return static_cast<std::int16_t>(whole);
}

} // namespace korvane
