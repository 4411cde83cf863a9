#pragma once

#include <string_view>

namespace korvane {

// An ellipsoid of the windows' list as its defining values give it, as EPSG's dataset has them:
// the equatorial radius and the inverse flattening (Clarke 1866 by its two radii). The windows'
// list holds some radii rounded (Clarke 1880's a is 6378249.1 there, 6378249.145 here), which
// moves a grid position by centimetres; the standard grid takes these. NAD 83 is on GRS 80, as
// the datum is: the windows' list gives it WGS 84's pair.
struct DefiningEllipsoid {
    std::string_view listName; // as the windows' list names it
    std::string_view name;     // as EPSG names it
    int epsgCode;
    double a; // metres
    double b; // metres: a (1 - f), or as defined
};

// The defining values of the ellipsoid at the windows' list position (0 is "WGS 84"); a position
// outside 0..13 is a subscript failure.
const DefiningEllipsoid& DefiningEllipsoidAt(int listPosition);

} // namespace korvane
