#pragma once

// The two kinds of arithmetic the series are written over. For the projections, their tests and
// the benchmarks.

#include "geodesy/Power.hpp"
#include "geodesy/QuickSineCosine.hpp"

#include <cmath>

namespace korvane {

// The sine, cosine and tangent of an angle.
struct SineCosineTangent {
    double sine;
    double cosine;
    double tangent;
};

// The sines of twice, four, six and eight times an angle.
struct MultipleAngleSines {
    double two;
    double four;
    double six;
    double eight;
};

// The sines, cosine and tangent the forward series takes of the latitude phi.
struct LatitudeFunctions {
    double sinPhi;
    double cosPhi;
    double tanPhi;
    double sinTwoPhi;
    double sinFourPhi;
    double sinSixPhi;
    double sinEightPhi;
};

// The arithmetic as the method states it: the maths library's pow, sin, cos and tan.
struct LibraryArithmetic {
    static double PowerOf(double x, double y) { return Power(x, y); }

    static double Over(double x, double divisor) { return x / divisor; }

    static SineCosineTangent AnglesOf(double x) { return {std::sin(x), std::cos(x), std::tan(x)}; }

    static MultipleAngleSines MultiplesOf(double x) {
        return {std::sin(2 * x), std::sin(4 * x), std::sin(6 * x), std::sin(8 * x)};
    }

    static LatitudeFunctions FunctionsOf(double phi) {
        const MultipleAngleSines multiples = MultiplesOf(phi);
        return {std::sin(phi),  std::cos(phi), std::tan(phi),  multiples.two,
                multiples.four, multiples.six, multiples.eight};
    }
};

// The same values far sooner: powers as plain products and a square root, and everything else
// from one sine and cosine (QuickSineCosine) by the multiple-angle identities. Each value is
// within a few units in the last place of the library's, and making sure of the library's last
// bit costs more than the whole series.
struct QuickArithmetic {
    static double PowerOf(double x, double y) {
        if (y == 2) {
            return x * x;
        }
        if (y == 3) {
            return x * x * x;
        }
        if (y == 4) {
            return (x * x) * (x * x);
        }
        if (y == 5) {
            return (x * x) * (x * x) * x;
        }
        if (y == 6) {
            return (x * x) * (x * x) * (x * x);
        }
        if (y == 0.5) {
            return std::sqrt(x);
        }
        if (y == 1.5) {
            return x * std::sqrt(x);
        }
        return Power(x, y);
    }

    // By the divisor's reciprocal, which for the constant divisors is worked out once.
    static double Over(double x, double divisor) { return x * (1 / divisor); }

    static SineCosineTangent AnglesOf(double x) {
        const auto [sine, cosine] = QuickSineCosine(x);
        return {sine, cosine, sine / cosine};
    }

    static MultipleAngleSines MultiplesOf(double x) {
        const auto [sine, cosine] = QuickSineCosine(x);
        return MultiplesFrom(sine, cosine);
    }

    static LatitudeFunctions FunctionsOf(double phi) {
        const auto [sinPhi, cosPhi] = QuickSineCosine(phi);
        const MultipleAngleSines multiples = MultiplesFrom(sinPhi, cosPhi);
        return {sinPhi,         cosPhi,        sinPhi / cosPhi, multiples.two,
                multiples.four, multiples.six, multiples.eight};
    }

  private:
    // The sines of 2x, 4x, 6x and 8x from those of x, by the double-angle identities.
    static MultipleAngleSines MultiplesFrom(double sine, double cosine) {
        const double sinTwo = 2 * sine * cosine;
        const double cosTwo = 1 - 2 * sine * sine;
        const double sinFour = 2 * sinTwo * cosTwo;
        const double cosFour = 1 - 2 * sinTwo * sinTwo;
        return {sinTwo, sinFour, sinFour * cosTwo + cosFour * sinTwo, 2 * sinFour * cosFour};
    }
};

} // namespace korvane
