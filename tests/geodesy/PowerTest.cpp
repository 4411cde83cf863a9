#include "geodesy/Power.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>

namespace korvane {
namespace {

// pow itself, asked at run time so that the compiler cannot turn pow(x, 2) into x * x.
double LibraryPow(double x, double y) {
    volatile double exponent = y;
    return std::pow(x, exponent);
}

constexpr double kExponents[] = {0.5, 1.5, 2, 3, 4, 5, 6};

// Power takes pow's result to lie within 0.54 units in the last place, as glibc's does, whose
// digits are the ones the program prints. MinGW's pow strays further, so on Windows Power is not
// its copy: there the same digits are checked on whole conversions against the Linux build.
#ifdef _WIN32
#define SKIP_WITHOUT_GLIBC_POW() GTEST_SKIP() << "pow here is not glibc's"
#else
#define SKIP_WITHOUT_GLIBC_POW()
#endif

// Power must give pow's digits to the last bit, for every exponent the projections use.
TEST(Power, GivesPowsOwnResultBitForBit) {
    SKIP_WITHOUT_GLIBC_POW();
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> binade(-60, 60);
    for (const double y : kExponents) {
        for (int i = 0; i < 400000; ++i) {
            double x = std::ldexp(unit(random), binade(random));
            if (y == 0.5 || y == 1.5) {
                x = std::fabs(x);
            }
            ASSERT_EQ(std::bit_cast<std::uint64_t>(Power(x, y)),
                      std::bit_cast<std::uint64_t>(LibraryPow(x, y)))
                << std::hexfloat << "x = " << x << ", y = " << y;
        }
    }
}

// Where the exact power lies halfway or almost halfway between two doubles, the only inputs on
// which a quick square could differ from pow; and the values at the edges.
TEST(Power, AgreesWithPowOnHalfwayPowersAndEdges) {
    SKIP_WITHOUT_GLIBC_POW();
    std::vector<double> inputs = {0.0,      -0.0,      1.0,    -1.0,  2.0,      0.25,
                                  0x1p-100, 0x1p100,   1e-300, 1e300, -3.5,     1e-320,
                                  INFINITY, -INFINITY, NAN,    0.3,   6378137.0};
    for (int k = 1; k < 2000; ++k) {
        // (1 + k 2^-27)^2 = 1 + k 2^-26 + k^2 2^-54: a last bit just at or near the halfway point.
        inputs.push_back(1 + k * 0x1p-27);
        inputs.push_back(-(1 + k * 0x1p-27));
        inputs.push_back(std::nextafter(1 + k * 0x1p-27, 2.0));
        inputs.push_back(1 + k * 0x1p-18); // cubes and fourth powers near halfway
    }
    for (const double x : inputs) {
        for (const double y : kExponents) {
            const double expected = LibraryPow(x, y);
            const double actual = Power(x, y);
            if (std::isnan(expected)) {
                EXPECT_TRUE(std::isnan(actual)) << std::hexfloat << x << " ^ " << y;
            } else {
                EXPECT_EQ(std::bit_cast<std::uint64_t>(actual),
                          std::bit_cast<std::uint64_t>(expected))
                    << std::hexfloat << x << " ^ " << y;
            }
        }
    }
}

} // namespace
} // namespace korvane
