#include "geodesy/Modn.hpp"

#include "geodesy/FloatingPoint.hpp"

#include <cmath>

namespace korvane {

double Int(double x) {
    return std::floor(x);
}

double Modn(double a, double b) {
    const double quotient = Finite(a / b, "Modn");
    return Finite(a - b * Int(quotient), "Modn");
}

} // namespace korvane
