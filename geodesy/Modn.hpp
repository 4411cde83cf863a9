#pragma once

#include "geodesy/FloatingPoint.hpp"

#include <cmath>

namespace korvane {

// The greatest whole number not above x: Int(-0.5) is -1.
inline double Int(double x) {
    // Above zero, where nearly every value is, it is the whole part, which a conversion gives
    // sooner than the library's floor. Zero keeps its sign there.
    if (x > 0 && x < 0x1p62) {
        return static_cast<double>(static_cast<long long>(x));
    }
    return std::floor(x);
}

// The floored remainder a - b * Int(a / b), in double precision: Modn(-1, 20) is 19.
// A zero divisor is a floating-point failure.
inline double Modn(double a, double b) {
    const double quotient = Finite(a / b, "Modn");
    return Finite(a - b * Int(quotient), "Modn");
}

// The floored remainder of whole numbers, which is exactly what Modn gives for them while they
// are small; without its division and rounding down. b is not 0.
constexpr long long WholeModn(long long a, long long b) {
    const long long remainder = a % b;
    return remainder != 0 && (remainder < 0) != (b < 0) ? remainder + b : remainder;
}

} // namespace korvane
