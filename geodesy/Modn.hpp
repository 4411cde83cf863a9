#pragma once

namespace korvane {

// The greatest whole number not above x: Int(-0.5) is -1.
double Int(double x);

// The floored remainder a - b * Int(a / b), in double precision: Modn(-1, 20) is 19.
// A zero divisor is a floating-point failure.
double Modn(double a, double b);

} // namespace korvane
