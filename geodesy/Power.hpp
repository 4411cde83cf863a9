#pragma once

namespace korvane {

// x raised to y by the general power function, squares and square roots included.
double Power(double x, double y);

} // namespace korvane
