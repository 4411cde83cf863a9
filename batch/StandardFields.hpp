#pragma once

#include "geodesy/UtmUps.hpp"

#include <span>
#include <string>
#include <string_view>

namespace korvane {

// A position to convert from the standard grid, as a line gives it.
struct StandardFields {
    UtmUpsPosition position;
    std::string_view mgrs;   // an MGRS reference given instead of the position, or beside it
    bool mgrsAlone = false;  // the reference is the whole position
    bool mgrsBeside = false; // it stands beside the position, which it must hold
    char band = 0;           // a UTM band letter given with the position, else 0
};

// Reads the standard grid's forms: five fields as to-utm writes them in this mode (zone,
// hemisphere, easting, northing, MGRS, which must be the position's own), or the first four of
// them; the UTM window's four (northing, easting, zone, N or S), told apart by the second field;
// the usual notation (the zone with N or S, or with its band letter, UPS without a zone number:
// "38N", "38P", "N"; then easting and northing); or one field, an MGRS reference. Zone 0 is UPS.
// A line whose fields are separated by blanks (blankLine, else empty) is the usual notation when
// it looks like it, else a reference when it starts as one: an MGRS reference may have blanks
// between its parts. Gives an empty text, or what is wrong.
std::string ReadStandardFields(std::span<const std::string_view> fields, std::string_view blankLine,
                               StandardFields& standard);

// Whether the text is a UPS 100 km square's reference, which alone of all has no digit: a band
// (A, B, Y, Z) and the square's two letters, in either case ("ZAG").
bool IsUpsSquare(std::string_view text);

// The latitudes of a standard UTM band letter (C to X, X twelve degrees) hold the latitude,
// to a tenth of a millimetre: an empty text, or the failure.
std::string StandardBandFailure(char band, double latitude);

} // namespace korvane
