#pragma once

#include "geodesy/Coordinates.hpp"

#include <array>
#include <string>
#include <string_view>

namespace korvane {

// What the UTM window's conversion reads: the texts of its boxes and lists.
struct UtmInputs {
    std::string_view northing;   // Text1(0)
    std::string_view easting;    // Text1(1)
    std::string_view zone;       // Text1(2), rounded to a 16-bit whole number
    std::string_view hemisphere; // Combo1: exactly "S" means south
    int datumPosition = 0;       // Combo3's list position, -1 for none
};

struct UtmConversion {
    std::string failure;                  // empty when converted, else what failed
    bool frameShown = false;              // the conversion got as far as showing its output frame
    std::array<std::string, 4> latitude;  // TxtLat(0..3): degrees, minutes, seconds, letter
    std::array<std::string, 4> longitude; // TxtLong(0..3)
    std::string gridReference;
    GeodeticPosition position; // latitude south-negative, longitude east-positive

    bool Converted() const { return failure.empty(); }
};

// UTM to degrees, minutes and seconds. The conversion stops at the first failing step: a number
// too large to read, a zone outside 16 bits or outside -5430..5461, an empty datum row, or a
// grid reference whose square index leaves 16 bits.
UtmConversion ConvertUtm(const UtmInputs& inputs, const std::string& decimalSeparator);

} // namespace korvane
