#pragma once

#include "geodesy/ExactLimits.hpp"

#include <bit>
#include <cmath>
#include <cstdint>

namespace korvane {

// Rounds to the nearest whole number, an exact half to the even one.
inline double RoundHalfEven(double x) {
    const double lower = std::floor(x);
    const double excess = x - lower; // exact: x and floor(x) share their high bits
    if (excess > 0.5) {
        return lower + 1;
    }
    if (excess < 0.5) {
        return lower;
    }
    // An exact half: to the even neighbour. Halves exist only below kWholeNumbersFrom, where the
    // whole number fits 64 bits.
    return static_cast<long long>(lower) % 2 == 0 ? lower : lower + 1;
}

// Rounds to the nearest hundredth, deciding on the exact binary value of x: a double that is
// exactly halfway goes to the even hundredth (0.125 -> 0.12), while 2.675, stored just below
// 2.675, goes down to 2.67. Returns the double nearest to that hundredth.
double RoundToHundredths(double x);

// How many hundredths |x| holds, rounded as RoundToHundredths rounds, worked out exactly from
// the double's bits; |x| below kWholeNumbersFrom. Inline: every conversion rounds its northing
// and easting here.
inline std::uint64_t RoundedHundredths(double x) {
    // |x| = mantissa * 2^-shift exactly; below 2^52 the shift is at least 1.
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa =
        biasedExponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int shift = 1075 - (biasedExponent == 0 ? 1 : biasedExponent);
    if (mantissa == 0 || shift >= 62) {
        return 0; // 100 * |x| < 2^-2
    }
    // 100 * |x| = scaled * 2^-shift, and scaled < 2^60 fits without loss.
    const std::uint64_t scaled = mantissa * 100;
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    const std::uint64_t remainder = scaled & ((half << 1) - 1);
    const std::uint64_t hundredths = scaled >> shift;
    // Up past a half, and at a half to the even count: added rather than branched on, as which
    // way a point rounds is anyone's guess.
    const bool up = (remainder > half) | ((remainder == half) & (hundredths % 2 == 1));
    return hundredths + static_cast<std::uint64_t>(up);
}

// The double nearest to a count of hundredths below kWholeNumbersFrom * 100: what
// RoundToHundredths returns for them, without a sign.
double HundredthsValue(std::uint64_t hundredths);

} // namespace korvane
