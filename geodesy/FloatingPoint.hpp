#pragma once

#include <cmath>

namespace korvane {

[[noreturn]] void ThrowNotFinite(double value, const char* step);

// Returns value when it is a finite number; otherwise throws a FloatingPointFailure naming the
// step. Every computed step passes through here, so no infinity or NaN ever reaches a display.
inline double Finite(double value, const char* step) {
    if (!std::isfinite(value)) {
        ThrowNotFinite(value, step);
    }
    return value;
}

} // namespace korvane
