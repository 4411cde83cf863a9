#pragma once

#include "geodesy/Coordinates.hpp"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvane {

// The positions shifted by PROJ's cs2cs (Debian's proj-bin) from one CRS to another, run now,
// with the network off and twelve decimals: nothing for a position cs2cs could not shift. Both
// CRSs must take latitude before longitude, as EPSG's geographic CRSs do. Throws
// std::runtime_error when cs2cs is not on the PATH or does not answer every position, so that a
// test without it fails rather than passes.
std::vector<std::optional<GeodeticPosition>>
Cs2csShift(const std::string& from, const std::string& to,
           std::span<const GeodeticPosition> positions);

// How far apart two positions lie, in metres, near enough for a tolerance of millimetres: arcs
// on a sphere of the equatorial radius of WGS 84.
double MetresApart(const GeodeticPosition& a, const GeodeticPosition& b);

} // namespace korvane
