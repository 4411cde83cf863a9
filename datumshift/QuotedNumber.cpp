#include "datumshift/QuotedNumber.hpp"

#include <charconv>

namespace korvane {

std::string QuotedNumber(double value) {
    char text[32]; // the longest shortest form, "-2.2250738585072014e-308", and then some
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

} // namespace korvane
