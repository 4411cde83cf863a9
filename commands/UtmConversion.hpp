#pragma once

#include "geodesy/Coordinates.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/InverseProjection.hpp"

#include <string>
#include <string_view>

namespace korvane {

// What the UTM window's conversion reads: the texts of its boxes and lists.
struct UtmInputs {
    std::string_view northing;   // Text1(0)
    std::string_view easting;    // Text1(1)
    std::string_view zone;       // Text1(2), rounded to a 16-bit whole number
    std::string_view hemisphere; // Combo1: exactly "S" means south
};

struct UtmConversion {
    std::string failure;       // empty when converted, else what failed
    bool frameShown = false;   // the conversion got as far as showing its output frame
    UtmCoordinate utm;         // as read
    GeodeticPosition position; // latitude south-negative, longitude east-positive
    GridReferenceText gridReference;

    bool Converted() const { return failure.empty(); }
};

// UTM to latitude and longitude on the ellipsoid at the datum list's position (-1 for none).
// The conversion stops at the first failing step: a number too large to read, a zone outside
// 16 bits or outside -5430..5461, the empty datum row, or a grid reference whose square index
// leaves 16 bits.
UtmConversion ConvertUtm(const UtmInputs& inputs, int datumPosition);

// A position as numbers rather than texts, converted on an ellipsoid chosen once for a run of
// points: what the boxes and the list hold once read. The zone is rounded to a whole number as
// the window rounds it.
struct UtmNumbers {
    double northing = 0;
    double easting = 0;
    double zone = 0;
    Hemisphere hemisphere = Hemisphere::North;
};

// What the position is for: only texts written from it, which the quicker
// ProjectFromUtmForTexts gives as the library's, or its numbers themselves, which only
// ProjectFromUtm gives to the last bit. The window's conversions are for texts.
enum class PositionFor { Texts, Numbers };

UtmConversion ConvertUtm(const UtmNumbers& numbers, const InverseTerms& terms,
                         PositionFor use = PositionFor::Texts);

} // namespace korvane
