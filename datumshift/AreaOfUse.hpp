#pragma once

#include "datumshift/ProjContext.hpp"
#include "geodesy/Coordinates.hpp"

#include <optional>
#include <string>

namespace korvane {

// Where a CRS or a transformation may be used, as PROJ's database states it: the region's name
// and its bounding box in degrees. A box whose west edge lies east of its east edge crosses the
// antimeridian.
struct AreaOfUse {
    std::string name;
    double west = -180;
    double south = -90;
    double east = 180;
    double north = 90;

    // Whether the box holds the position, edges included; a longitude is taken as given, not
    // brought into -180..180 (as PROJ takes it when it chooses a transformation).
    bool Contains(const GeodeticPosition& position) const;

    // The box's width in degrees of longitude, eastwards from its west edge (across the
    // antimeridian where it crosses it).
    double Width() const { return west <= east ? east - west : east + 360 - west; }

    // "west -4.87, south 41.31, east 9.63, north 51.14".
    std::string Bounds() const;

    // "France - onshore (west -4.87, south 41.31, east 9.63, north 51.14)".
    std::string Text() const;
};

// The area of use PROJ's database gives the object, or nothing for one without a bounding box.
std::optional<AreaOfUse> AreaOfUseOf(const ProjContext& context, const PJ* object);

} // namespace korvane
