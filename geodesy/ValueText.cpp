#include "geodesy/ValueText.hpp"

#include <charconv>
#include <cmath>

namespace korvane {

std::string ValueText(double value) {
    // Plain digits from a ten-thousandth to 1e15, where they stay short; exponents beyond.
    const double magnitude = std::fabs(value);
    const auto format = magnitude != 0 && (magnitude < 1e-4 || magnitude >= 1e15)
                            ? std::chars_format::general
                            : std::chars_format::fixed;
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, format);
    return std::string(text, written.ptr);
}

} // namespace korvane
