#pragma once

#include "geodesy/ExactLimits.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <type_traits>

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

// |x| in units of 10^-Decimals, rounded to the nearest unit and an exact half to the even one,
// worked out exactly from the double's bits: |x| is mantissa * 2^-shift, and mantissa * 10^Decimals
// needs 53 bits and those of the power, 60 for hundredths and 83 for nine decimals (GCC and Clang
// have 128-bit integers on every 64-bit target). |x| below kWholeNumbersFrom and |x| * 10^Decimals
// below 2^64.
template <int Decimals> std::uint64_t RoundedDecimalUnits(double x) {
    constexpr std::uint64_t kScale = [] {
        std::uint64_t scale = 1;
        for (int i = 0; i < Decimals; ++i) {
            scale *= 10;
        }
        return scale;
    }();
    constexpr int kProductBits = 53 + static_cast<int>(std::bit_width(kScale));
    using Product = std::conditional_t<(kProductBits < 64), std::uint64_t, unsigned __int128>;
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa =
        biasedExponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int shift = 1075 - (biasedExponent == 0 ? 1 : biasedExponent); // at least 1 here
    if (mantissa == 0 || shift > kProductBits) {
        return 0; // the product is below 2^kProductBits, so under half a unit
    }
    const Product product = static_cast<Product>(mantissa) * kScale;
    const Product half = Product{1} << (shift - 1);
    const Product remainder = product & ((half << 1) - 1);
    const auto units = static_cast<std::uint64_t>(product >> shift);
    // Up past a half, and at a half to the even count: added rather than branched on, as which
    // way a point rounds is anyone's guess.
    const bool up = (remainder > half) | ((remainder == half) & (units % 2 == 1));
    return units + static_cast<std::uint64_t>(up);
}

// How many hundredths |x| holds, rounded as RoundToHundredths rounds; |x| below
// kWholeNumbersFrom.
inline std::uint64_t RoundedHundredths(double x) {
    return RoundedDecimalUnits<2>(x);
}

// The double nearest to a count of hundredths below kWholeNumbersFrom * 100: what
// RoundToHundredths returns for them, without a sign.
double HundredthsValue(std::uint64_t hundredths);

} // namespace korvane
