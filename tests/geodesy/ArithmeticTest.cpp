#include "geodesy/Failure.hpp"
#include "geodesy/FloatingPoint.hpp"
#include "geodesy/Int16.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/QuickSineCosine.hpp"
#include "geodesy/Rounding.hpp"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <random>

namespace korvane {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(RoundToHundredths, DecidesOnTheExactBinaryValue) {
    const std::pair<double, double> cases[] = {
        {0.125, 0.12},   // exactly half: to the even hundredth
        {0.375, 0.38},   // exactly half: to the even hundredth
        {2.675, 2.67},   // stored just below 2.675
        {59.995, 59.99}, // stored just below 59.995
        {1.005, 1.0},    // stored just below 1.005
        {1.015, 1.01},   // stored just below 1.015 (x * 100 rounds to 101.5 and misleads)
        {0.625, 0.62},
        {-0.125, -0.12},
        {-2.675, -2.67},
        {166021.554999, 166021.55},
        {2.665, 2.67},           // stored just above 2.665
        {402339.345, 402339.34}, // stored just below
        {0.004, 0},
        {1e-300, 0},
        {123456789.0, 123456789.0},
    };
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(RoundToHundredths(value), rounded) << std::hexfloat << value;
    }
    EXPECT_THROW(RoundToHundredths(std::numeric_limits<double>::infinity()), FloatingPointFailure);
}

TEST(RoundHalfEven, SendsHalvesToTheEvenWholeNumber) {
    // clang-format off
    const std::pair<double, double> cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4, 2},
        {2.6, 3},
        {-2.6, -3},
        {1e300, 1e300},
    };
    // clang-format on
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
    }
}

TEST(Int16, LeavingTheRangeIsAnOverflowNeverAWrap) {
    EXPECT_EQ(CheckedInt16(32767, "t"), 32767);
    EXPECT_EQ(CheckedInt16(-32768, "t"), -32768);
    EXPECT_THROW(CheckedInt16(32768, "t"), OverflowFailure);
    EXPECT_THROW(CheckedInt16(-32769, "t"), OverflowFailure);
    EXPECT_EQ(RoundToInt16(32767.4, "t"), 32767);
    EXPECT_THROW(RoundToInt16(32767.5, "t"), OverflowFailure); // rounds to the even 32768
    EXPECT_EQ(RoundToInt16(-32768.5, "t"), -32768);            // rounds to the even -32768
    EXPECT_THROW(RoundToInt16(-32769.5, "t"), OverflowFailure);
    EXPECT_THROW(RoundToInt16(std::nan(""), "t"), OverflowFailure);
    EXPECT_THROW(RoundToInt16(1e300, "t"), OverflowFailure);
}

TEST(Int16, FailureNamesItsKindAndStep) {
    try {
        CheckedInt16(40000, "the step");
        FAIL();
    } catch (const OverflowFailure& failure) {
        EXPECT_EQ(failure.Step(), "the step");
        EXPECT_EQ(std::string(failure.what()),
                  "overflow in the step: 40000 is outside -32768..32767");
    }
}

TEST(Modn, IsTheFlooredRemainder) {
    struct Case {
        double a, b, expected;
    };
    // clang-format off
    const Case cases[] = {
        {-1, 20, 19},
        {30, 3, 0},
        {20, 20, 0},
        {-7, 3, 2},
        {7, 3, 1},
        {0, 3, 0},
        {-0.5, 1, 0.5},
        {60, 3, 0},
        {-3, 3, 0},
        {41, 20, 1},
        {-21, 20, 19},
        {5.5, 2, 1.5},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(Modn(c.a, c.b), c.expected) << c.a << " mod " << c.b;
    }
    EXPECT_THROW(Modn(1, 0), FloatingPointFailure);
    EXPECT_THROW(Modn(0, 0), FloatingPointFailure);
}

// The integer remainder stands in for Modn on whole numbers: it must give the same value for
// every sign of either operand.
TEST(WholeModn, GivesWhatModnGivesForWholeNumbers) {
    for (long long a = -70000; a <= 70000; a += 7) {
        for (const long long b : {1LL, 2LL, 3LL, 20LL, -3LL, -20LL, 32768LL}) {
            ASSERT_EQ(static_cast<double>(WholeModn(a, b)),
                      Modn(static_cast<double>(a), static_cast<double>(b)))
                << a << " mod " << b;
        }
    }
}

TEST(Int16, WholeNumbersOnlyHaveTheirRangeChecked) {
    EXPECT_EQ(WholeToInt16(32767, "t"), 32767);
    EXPECT_EQ(WholeToInt16(-32768, "t"), -32768);
    EXPECT_EQ(WholeToInt16(-0.0, "t"), 0);
    EXPECT_THROW(WholeToInt16(32768, "t"), OverflowFailure);
    EXPECT_THROW(WholeToInt16(-1e300, "t"), OverflowFailure);
}

TEST(Int, RoundsTowardsNegativeInfinity) {
    EXPECT_EQ(Int(2.5), 2);
    EXPECT_EQ(Int(-0.5), -1);
    EXPECT_EQ(Int(-2), -2);
    // Bit for bit the library's floor, on either side of its quicker range and at its edges.
    const double kInfinity = std::numeric_limits<double>::infinity();
    // clang-format off
    const double values[] = {0.0, -0.0, 1e-300, -1e-300, 0.9999999999999999, 1, 1.5, 299999.99,
                             0x1p52 - 0.5, 0x1p52, 0x1p62 - 1024, 0x1p62, 0x1p63, 1e300, -1e300,
                             -0x1p62, kInfinity, -kInfinity};
    // clang-format on
    for (const double value : values) {
        const double whole = Int(value);
        EXPECT_EQ(whole, std::floor(value)) << std::hexfloat << value;
        EXPECT_EQ(std::signbit(whole), std::signbit(std::floor(value))) << value;
    }
    EXPECT_TRUE(std::isnan(Int(std::nan(""))));
}

TEST(Finite, RejectsInfinityAndNaN) {
    EXPECT_EQ(Finite(1.5, "t"), 1.5);
    EXPECT_THROW(Finite(std::numeric_limits<double>::infinity(), "t"), FloatingPointFailure);
    EXPECT_THROW(Finite(std::nan(""), "t"), FloatingPointFailure);
}

// Each message quotes the value that failed.
TEST(Failures, QuoteTheValueThatFailed) {
    const auto message = [](const std::function<void()>& fails) {
        try {
            fails();
        } catch (const ComputationFailure& failure) {
            return std::string(failure.what());
        }
        return std::string("no failure");
    };
    // clang-format off
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[] { Finite(-INFINITY, "t"); },     "floating-point failure in t: the result is -inf: a division by zero or a result too large for a double"},
        {[] { Finite(std::nan(""), "t"); },  "floating-point failure in t: the result is undefined (nan)"},
        {[] { RoundToInt16(32767.5, "t"); }, "overflow in t: 32768 does not round into -32768..32767"},
        {[] { WholeToInt16(-1e300, "t"); },  "overflow in t: -1e+300 does not round into -32768..32767"},
    };
    // clang-format on
    for (const auto& [fails, expected] : cases) {
        EXPECT_EQ(message(fails), expected);
    }
}

// How far apart two values are, in units in the last place of the library's value.
double UnitsApart(double value, double library) {
    return std::fabs(value - library) / std::fabs(std::nextafter(library, INFINITY) - library);
}

// Whether the quick function's values stay within `near` of the library's at every x drawn
// from (-reach, reach), or within two units in the last place where `units` is set.
::testing::AssertionResult CloseToTheLibrary(double reach, double near, bool units) {
    std::mt19937_64 engine(7);
    std::uniform_real_distribution<double> angle(-reach, reach);
    for (int i = 0; i < 200000; ++i) {
        const double x = angle(engine);
        const auto [sine, cosine] = QuickSineCosine(x);
        for (const auto& [quick, library] : {std::pair{sine, std::sin(x)}, {cosine, std::cos(x)}}) {
            if (!(std::fabs(quick - library) < near ||
                  (units && UnitsApart(quick, library) <= 2))) {
                return ::testing::AssertionFailure()
                       << std::hexfloat << x << ": " << quick << " against " << library;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(QuickSineCosine, StaysWithinTwoUnitsOfTheLibrarysFunctionsUpToARightAngle) {
    // The latitudes the series take them of. Next to a zero of the sine or the cosine, where a
    // unit in the last place is tiny, the difference is measured absolutely: there some maths
    // libraries are further from the exact values than the quick functions.
    for (const double reach : {1e-300, 1e-8, 0.5, kPi / 4, kPi / 2}) {
        EXPECT_TRUE(CloseToTheLibrary(reach, 1e-18, true)) << reach;
    }
}

TEST(QuickSineCosine, TakesTheRightFunctionAndSignForEveryMultipleOfARightAngle) {
    // Beyond, the multiple of pi/2 taken away picks the function and its sign; what the
    // reduction loses grows with x, to some 6e-24 at 1024.
    for (const double reach : {8 * kPi / 2, 100.0, 1023.0}) {
        EXPECT_TRUE(CloseToTheLibrary(reach, 4e-16, false)) << reach;
    }
}

TEST(QuickSineCosine, KeepsSignsOfZeroAndLeavesTheRestToTheLibrary) {
    const double kInfinity = std::numeric_limits<double>::infinity();
    // clang-format off
    const double angles[] = {0.0, -0.0, kPi / 2, -kPi / 2, kPi, -kPi, 1024, -1024, 1e10,
                             -1e300, kInfinity, -kInfinity, std::nan("")};
    // clang-format on
    for (const double x : angles) {
        const auto [sine, cosine] = QuickSineCosine(x);
        if (std::fabs(x) >= kQuickSineCosineBelow || !std::isfinite(x)) {
            EXPECT_TRUE(std::isnan(sine) ? std::isnan(std::sin(x)) : sine == std::sin(x)) << x;
            EXPECT_TRUE(std::isnan(cosine) ? std::isnan(std::cos(x)) : cosine == std::cos(x)) << x;
            continue;
        }
        EXPECT_EQ(std::signbit(sine), std::signbit(std::sin(x))) << x;
        EXPECT_EQ(std::signbit(cosine), std::signbit(std::cos(x))) << x;
        EXPECT_NEAR(sine, std::sin(x), 1e-15) << x;
        EXPECT_NEAR(cosine, std::cos(x), 1e-15) << x;
    }
}

} // namespace
} // namespace korvane
