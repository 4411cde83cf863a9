#pragma once

namespace korvane {

// Returns value when it is a finite number; otherwise throws a FloatingPointFailure naming the
// step. Every computed step passes through here, so no infinity or NaN ever reaches a display.
double Finite(double value, const char* step);

} // namespace korvane
