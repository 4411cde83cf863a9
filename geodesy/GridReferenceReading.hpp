#pragma once

#include "geodesy/Coordinates.hpp"
#include "geodesy/InverseProjection.hpp"

#include <string>
#include <string_view>

namespace korvane {

// The position a grid reference names, or why the text is not one.
struct GridReferenceReading {
    UtmCoordinate utm;   // the centre of the square that the reference names
    std::string failure; // empty when read; otherwise what is wrong, naming the bad part
    bool Read() const { return failure.empty(); }
};

// Reads a military grid reference as GridReference writes it ("38 P   MC  02339  55355") or
// compact ("38PMC0233955355"), and gives the UTM position it names on the given ellipsoid.
// Blanks between the parts are optional, letters may be lower case, and each coordinate has
// 0 to 5 digits: two groups of equal length, or one run split in half. Throws the inverse
// projection's ComputationFailure only when the ellipsoid gives no position at all.
GridReferenceReading ReadGridReference(std::string_view text, const InverseTerms& terms);

} // namespace korvane
