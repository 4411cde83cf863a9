#pragma once

#include "geodesy/GridReference.hpp"
#include "geodesy/InverseProjection.hpp"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvane {

// A position to convert to latitude and longitude, read into the UTM window's inputs. The views
// show the line's fields or the texts written here, so it is read where it is used, not copied.
struct UtmFields {
    std::string_view northing;
    std::string_view easting;
    std::string_view zone;
    std::string_view hemisphere;                // "N" or "S"
    char band = 0;                              // a band letter given with the position, else 0
    std::optional<LatitudeRange> bandLatitudes; // the latitudes of that band

    char written[3][32]; // the texts of a grid reference's position, which the views above show
};

// Four fields, northing, easting, zone and N or S, each read whole; a line as to-UTM writes it
// (zone, band, central meridian, northing, easting, grid reference), whose band gives the
// hemisphere and whose central meridian and grid reference must be its position's; or one field
// holding a grid reference, read on the run's ellipsoid. Gives an empty text, or what is wrong.
std::string ReadUtmFields(std::span<const std::string_view> fields, const InverseTerms& terms,
                          UtmFields& utm);

// Whether the band given with the position holds its latitude as converted, to within
// kBandEdgeTolerance: an empty text, or the failure.
std::string BandFailure(const UtmFields& utm, double latitude);

} // namespace korvane
