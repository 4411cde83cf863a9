#pragma once

namespace korvane {

// Rounds to the nearest whole number, an exact half to the even one.
double RoundHalfEven(double x);

// Rounds to the nearest hundredth, deciding on the exact binary value of x: a double that is
// exactly halfway goes to the even hundredth (0.125 -> 0.12), while 2.675, stored just below
// 2.675, goes down to 2.67. Returns the double nearest to that hundredth.
double RoundToHundredths(double x);

} // namespace korvane
