#pragma once

#include "geodesy/ExactLimits.hpp"

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

// Whether x lies farther than room from every point k + turn (k whole, turn in 0..1): the points
// where a step that turns once a unit, such as Int or a rounding, turns.
inline bool ClearOfSteps(double x, double turn, double room) {
    const double distance = std::fabs(x - std::floor(x) - turn);
    return distance > room && distance < 1 - room;
}

// Rounds to the nearest hundredth, deciding on the exact binary value of x: a double that is
// exactly halfway goes to the even hundredth (0.125 -> 0.12), while 2.675, stored just below
// 2.675, goes down to 2.67. Returns the double nearest to that hundredth.
double RoundToHundredths(double x);

// How many hundredths |x| holds, rounded as RoundToHundredths rounds; |x| below
// kWholeNumbersFrom.
std::uint64_t RoundedHundredths(double x);

// The double nearest to a count of hundredths below kWholeNumbersFrom * 100: what
// RoundToHundredths returns for them, without a sign.
double HundredthsValue(std::uint64_t hundredths);

} // namespace korvane
