#pragma once

#include "geodesy/MgrsLettering.hpp"
#include "geodesy/UtmUps.hpp"

#include <string>
#include <string_view>

namespace korvane {

// The position a standard MGRS reference names, or why the text is not one.
struct MgrsReading {
    UtmUpsPosition position; // the centre of the square the reference names
    int precision = 0;       // digit pairs: 0 a 100 km square, 5 a 1 m square, up to 11
    std::string failure;     // empty when read; otherwise what is wrong, naming the bad part
    bool Read() const { return failure.empty(); }
};

// Reads a standard MGRS reference, compact ("38PMC0233955355", "4QFJ12345678", "ZGC2227118959")
// or with blanks between its parts ("38P MC 02339 55355"), letters in either case, 0 to 11 digit
// pairs: two groups of equal length, or one run split in half. The column letter must be one of
// the zone's (or UPS band's), the row letter one of the lettering's, and the square named, at
// its precision, must reach the band's latitudes on this ellipsoid (a square across a band's edge
// takes either letter; across the equator, the side its northing is on): of the northings the
// row letter repeats at every 2000 km, the one nearest the band is taken.
MgrsReading ReadMgrs(std::string_view text, const UtmUpsTerms& terms, MgrsLettering lettering);

} // namespace korvane
