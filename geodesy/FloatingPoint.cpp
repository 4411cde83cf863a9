#include "geodesy/FloatingPoint.hpp"

#include "geodesy/Failure.hpp"

namespace korvane {

void ThrowNotFinite(double value, const char* step) {
    if (std::isnan(value)) {
        throw FloatingPointFailure(step, "the result is undefined");
    }
    throw FloatingPointFailure(step, "division by zero or a result too large");
}

} // namespace korvane
