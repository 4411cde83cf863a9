#include "geodesy/FloatingPoint.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/ValueText.hpp"

namespace korvane {

void ThrowNotFinite(double value, const char* step) {
    if (std::isnan(value)) {
        throw FloatingPointFailure(step, "the result is undefined (nan)");
    }
    throw FloatingPointFailure(step, "the result is " + ValueText(value) +
                                         ": a division by zero or a result too large for a double");
}

} // namespace korvane
