#pragma once

#include "geodesy/Coordinates.hpp"
#include "geodesy/EllipsoidShape.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/MgrsLettering.hpp"
#include "geodesy/UtmUps.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// The standard grid as a run of conversions asks for it: exact transverse Mercator and UPS on
// one ellipsoid, MGRS lettered as the standard letters that ellipsoid, and a zone (and for UTM a
// hemisphere) asked for, if any. Built once where the choice is made.
struct StandardGrid {
    StandardGrid(const EllipsoidShape& ellipsoid, MgrsLettering lettering,
                 std::optional<int> zone = std::nullopt,
                 std::optional<Hemisphere> hemisphere = std::nullopt);

    // On the ellipsoid of the name (as the windows' list or PROJ gives it) and these axes, its
    // squares lettered as the standard letters that ellipsoid.
    static StandardGrid OnEllipsoid(std::string_view name, double a, double b,
                                    std::optional<int> zone, std::optional<Hemisphere> hemisphere);
    // On the windows' list's ellipsoid at the position, as EPSG defines it rather than as the
    // list rounds it.
    static StandardGrid OnListed(int listPosition, std::optional<int> zone,
                                 std::optional<Hemisphere> hemisphere);

    const UtmUpsTerms terms;
    const MgrsLettering lettering;
    const std::optional<int> zone;
    const std::optional<Hemisphere> hemisphere;
};

// A position on the standard grid, or why it has none.
struct StandardUtm {
    std::string failure;     // empty when converted
    UtmUpsPosition position; // unrounded
    GridReferenceText mgrs;  // compact, at the precision asked for
    bool Converted() const { return failure.empty(); }
};

// A signed latitude (-90..90) and longitude (-180..180) to the standard grid, with its MGRS
// reference at precision 0..5 (truncated from the unrounded easting and northing). Fails for a
// position too far from a zone asked for; a position of that zone beyond the squares MGRS
// letters (UTM eastings 100 to 900 km) has an empty reference.
StandardUtm ConvertToStandardGrid(const GeodeticPosition& position, const StandardGrid& grid,
                                  int mgrsPrecision);

// A latitude and longitude, or why a grid position has none.
struct StandardLatLong {
    std::string failure;
    GeodeticPosition position;
    bool Converted() const { return failure.empty(); }
};

// A standard grid position back to latitude and longitude: in the standard ranges, or, where the
// grid asks for a zone, anywhere that zone's reach gives, when the position is in that zone.
StandardLatLong ConvertFromStandardGrid(const UtmUpsPosition& position, const StandardGrid& grid);

// An MGRS reference back to the latitude and longitude of the centre of the square it names.
StandardLatLong ConvertFromMgrs(std::string_view reference, const StandardGrid& grid);

// Whether the reference names the square that holds the position as written to the millimetre
// (its digits are truncated from the exact numbers), latitude being the position's; an empty
// reference stands only for a position beyond the squares MGRS letters. An empty text, or the
// failure.
std::string MgrsMismatch(std::string_view reference, const UtmUpsPosition& position,
                         double latitude, const StandardGrid& grid);

} // namespace korvane
