#include "geodesy/ValueText.hpp"

#include <charconv>

namespace korvane {

std::string ValueText(double value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

} // namespace korvane
