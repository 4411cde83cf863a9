#include "geodesy/Power.hpp"

#include <cmath>

namespace korvane {

// Kept out of line, away from its callers' constant exponents, so that no optimisation level
// turns pow(x, 2) into x * x or pow(x, 0.5) into sqrt(x): the digits must not depend on the build.
double Power(double x, double y) {
    return std::pow(x, y);
}

} // namespace korvane
