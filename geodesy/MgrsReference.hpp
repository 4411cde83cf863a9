#pragma once

#include "geodesy/GridReference.hpp"
#include "geodesy/MgrsLettering.hpp"
#include "geodesy/UtmUps.hpp"

namespace korvane {

// Digits written by the standard reference: 0 (the 100 km square) to 5 pairs (a 1 m square).
inline constexpr int kMostMgrsPrecision = 5;

// The standard MGRS reference of a grid position, compact as GeoConvert writes it:
// "38PMC0233955355" at precision 5, "04QFJ1409655747" (two zone digits), UPS without a zone
// ("ZGC..."). latitude is the one the position was projected from, for the band letter (within
// a hair of the equator the northing's side decides it). The digits are truncated from the
// unrounded easting and northing taken to the nearest micrometre: far below any digit written,
// it keeps a value a hair below a whole metre by its binary form on that metre. A position on
// the upper edge of the lettered range (900 km of UTM easting, say) is moved a micrometre into
// it, as GeographicLib moves it by nanometres.
// Fails with an invalid argument naming the value for a precision outside 0..5, a zone outside
// 0..60, a latitude outside -90..90, a latitude whose side of the equator is not the northing's,
// and a coordinate outside the lettered range: UTM eastings 100..900 km, northings 0..9500 km in
// the north and 1000..10000 km in the south (a northing continued across the equator counts on
// the other side), UPS 1300..2700 km in the north and 800..3200 km in the south.
GridReferenceText MgrsReference(const UtmUpsPosition& position, double latitude, int precision,
                                MgrsLettering lettering);

} // namespace korvane
