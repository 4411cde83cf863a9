#pragma once

#include "datumshift/AreaOfUse.hpp"
#include "geodesy/DatumTable.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// A geodetic datum as the user names it, resolved through PROJ's database to a geographic 2D CRS
// with angles in degrees and longitudes from Greenwich: what the front ends show of it, and the
// exact axes of its ellipsoid.
struct GeodeticDatum {
    std::string name;              // PROJ's name of the CRS: "ED50"
    std::string code;              // authority and code: "EPSG:4230"
    std::string ellipsoidName;     // PROJ's name: "International 1924"
    double a = 0;                  // equatorial radius in metres, as the database states it
    double b = 0;                  // polar radius in metres, from the inverse flattening where the
                                   // database states that (International 1924: 6356911.946...)
    std::optional<AreaOfUse> area; // where the CRS is used
    // How a name that several CRSs bear was resolved, or that the CRS is deprecated; else empty.
    std::string note;

    // The ellipsoid as Korvane's projections take it, with the exact axes; its texts are views
    // of this datum's, which must outlive it.
    DatumEntry Ellipsoid() const { return {ellipsoidName, ellipsoidName, a, b}; }

    // As messages name it: "ED50 (EPSG:4230)".
    std::string Named() const { return name + " (" + code + ")"; }
};

// Resolves "EPSG:4230" (any authority PROJ's database holds, in any case), a bare number as an
// EPSG code ("4230"), or a name ("ED50", "WGS 84", "Pulkovo 1942": PROJ's match, which sets case
// and blanks aside). A name several CRSs bear resolves to the geographic 2D one, an EPSG one
// first, and says so in the note.
//
// Throws UnknownDatumFailure for a text the database does not hold (with close names), and
// DatumFailure for a CRS that is not a geographic 2D one (naming the geographic CRS of a
// projected one), or counts angles in other units than degrees or longitudes from another
// meridian than Greenwich, and when PROJ cannot open its database.
GeodeticDatum ResolveDatum(std::string_view nameOrCode);

} // namespace korvane
