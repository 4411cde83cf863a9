#include "geodesy/FloatingPoint.hpp"

#include "geodesy/Failure.hpp"

#include <cmath>

namespace korvane {

double Finite(double value, const char* step) {
    if (std::isnan(value)) {
        throw FloatingPointFailure(step, "the result is undefined");
    }
    if (std::isinf(value)) {
        throw FloatingPointFailure(step, "division by zero or a result too large");
    }
    return value;
}

} // namespace korvane
