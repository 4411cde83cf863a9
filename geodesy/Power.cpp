#include "geodesy/Power.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

namespace korvane {

namespace {

// pow's result is within 0.54 units in the last place of the exact power. An exact power
// nearer than 0.45 units to a double therefore has that double as pow's result: the double on
// the other side is more than 0.54 units away.
constexpr double kSurelyPowsUnits = 0.45;

// A power as an unevaluated sum hi + lo, good to about 2^-100 of its size.
struct TwoDoubles {
    double hi;
    double lo;
};

TwoDoubles Times(TwoDoubles value, double x) {
    const double hi = value.hi * x;
    return {hi, std::fma(value.hi, x, -hi) + value.lo * x}; // the fma's result is exact
}

// The exact power for the exponents the projections use, away from underflow and overflow.
std::optional<TwoDoubles> NearlyExactPower(double x, double y) {
    if (!(std::fabs(x) > 0x1p-100 && std::fabs(x) < 0x1p100)) {
        return std::nullopt;
    }
    if (y == 0.5 && x > 0) {
        const double root = std::sqrt(x);
        return TwoDoubles{root, -std::fma(root, root, -x) / (2 * root)};
    }
    if (y == 2 || y == 3 || y == 4 || y == 5 || y == 6) {
        TwoDoubles power{x, 0};
        for (int factors = 1; factors < static_cast<int>(y); ++factors) {
            power = Times(power, x);
        }
        return power;
    }
    return std::nullopt;
}

// The nearest double to the power when it is surely what pow gives, else nothing.
std::optional<double> SurelyPowsResult(TwoDoubles power) {
    const double rounded = power.hi + power.lo;
    const double excess = (power.hi - rounded) + power.lo; // the power minus the double
    constexpr std::uint64_t kExponentBits = 0x7FF0000000000000;
    constexpr std::uint64_t kFractionBits = 0x000FFFFFFFFFFFFF;
    const auto bits = std::bit_cast<std::uint64_t>(rounded);
    if ((bits & kFractionBits) == 0) {
        return std::nullopt; // a power of two: the units below it are half as large
    }
    const double unit = std::bit_cast<double>((bits & kExponentBits) - (std::uint64_t{52} << 52));
    if (!(std::fabs(excess) < kSurelyPowsUnits * unit)) {
        return std::nullopt;
    }
    return rounded;
}

} // namespace

// pow is a general power function, and slow. For the squares, cubes and square roots that the
// series are made of, the nearest double to the exact power is pow's own result unless the power
// lies almost halfway between two doubles; only then, or for other exponents, is pow asked.
double Power(double x, double y) {
    if (const auto power = NearlyExactPower(x, y)) {
        if (const auto result = SurelyPowsResult(*power)) {
            return *result;
        }
    }
    // The exponent is hidden from the optimiser: inlined with a constant 2 (as whole-program
    // optimisation does), pow(x, 2) would become x * x, and the digits must not depend on the
    // build.
    const volatile double exponent = y;
    return std::pow(x, exponent);
}

} // namespace korvane
