#include "geodesy/Rounding.hpp"

#include "geodesy/FloatingPoint.hpp"

#include <cmath>
#include <cstdint>

namespace korvane {

double RoundHalfEven(double x) {
    const double lower = std::floor(x);
    const double excess = x - lower; // exact: x and floor(x) share their high bits
    if (excess > 0.5) {
        return lower + 1;
    }
    if (excess < 0.5) {
        return lower;
    }
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

double RoundToHundredths(double x) {
    Finite(x, "rounding to hundredths");
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(x), &exponent);
    // |x| = mantissa * 2^-shift exactly, with a mantissa of at most 53 bits.
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent;
    if (mantissa == 0 || shift <= 0) {
        return x; // zero, or a whole number
    }
    // 100 * |x| = scaled * 2^-shift, and scaled < 2^60 fits without loss.
    const std::uint64_t scaled = mantissa * 100;
    std::uint64_t hundredths = 0;
    if (shift < 62) {
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        const std::uint64_t remainder = scaled & ((half << 1) - 1);
        hundredths = scaled >> shift;
        if (remainder > half || (remainder == half && hundredths % 2 == 1)) {
            ++hundredths;
        }
    } // else 100 * |x| < 2^-2: rounds to zero
    const std::uint64_t wholes = hundredths / 100;
    const double magnitude =
        hundredths < (std::uint64_t{1} << 53)
            ? static_cast<double>(hundredths) / 100
            : static_cast<double>(wholes) + static_cast<double>(hundredths % 100) / 100;
    return std::copysign(magnitude, x);
}

} // namespace korvane
