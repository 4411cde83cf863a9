#include "geodesy/Rounding.hpp"

#include "geodesy/FloatingPoint.hpp"

#include <bit>
#include <cmath>
#include <cstdint>

namespace korvane {

std::uint64_t RoundedHundredths(double x) {
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

double RoundToHundredths(double x) {
    Finite(x, "rounding to hundredths");
    if (std::fabs(x) >= kWholeNumbersFrom) {
        return x; // already whole
    }
    return std::copysign(HundredthsValue(RoundedHundredths(x)), x);
}

double HundredthsValue(std::uint64_t hundredths) {
    return hundredths < static_cast<std::uint64_t>(kExactCountsBelow)
               ? static_cast<double>(hundredths) / 100
               : static_cast<double>(hundredths / 100) +
                     static_cast<double>(hundredths % 100) / 100;
}

} // namespace korvane
