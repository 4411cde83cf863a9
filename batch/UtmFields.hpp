#pragma once

#include "commands/UtmConversion.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/InverseProjection.hpp"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvane {

// A position to convert to latitude and longitude, read as the UTM window reads its inputs.
struct UtmFields {
    UtmNumbers numbers;
    char band = 0;                              // a band letter given with the position, else 0
    std::optional<LatitudeRange> bandLatitudes; // the latitudes of that band

    // The hemisphere's letter, which the latitude's boxes show.
    std::string_view HemisphereLetter() const {
        return numbers.hemisphere == Hemisphere::South ? "S" : "N";
    }
};

// Four fields, northing, easting, zone and N or S, each read whole; three in the usual notation,
// the zone with its hemisphere or band letter, the easting and the northing ("38N", "402339.35",
// "1755355.43"), whose band must hold the position; a line as to-UTM writes it
// (zone, band, central meridian, northing, easting, grid reference), whose band gives the
// hemisphere and whose central meridian and grid reference must be its position's; or one field
// holding a grid reference, read on the run's ellipsoid. Zones 1 to 61, eastings 100 to 900 km
// and northings 0 to 10,000 km only: the grid reference of anything else leaves the alphabet.
// Gives an empty text, or what is wrong.
std::string ReadUtmFields(std::span<const std::string_view> fields, const InverseTerms& terms,
                          UtmFields& utm);

// A whole line whose fields are separated by blanks, read as the same forms where that has one
// reading: told by the first field, a number starts the window's four fields, a zone with its
// letter and two more fields are the usual notation ("38N 402339.35 1755355.43"), and any other
// line starting with a zone is a grid reference ("38 P   MC  02339  55355").
std::string ReadBlankSeparatedUtm(std::string_view line, std::span<const std::string_view> fields,
                                  const InverseTerms& terms, UtmFields& utm);

// Whether the band given with the position holds its latitude as converted, to within
// kBandEdgeTolerance: an empty text, or the failure.
std::string BandFailure(const UtmFields& utm, double latitude);

} // namespace korvane
