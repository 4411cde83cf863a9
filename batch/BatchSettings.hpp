#pragma once

#include "geodesy/Coordinates.hpp"

#include <cstddef>
#include <optional>
#include <vector>

namespace korvane {

enum class BatchDirection { ToUtm, ToLatLong };

// The windows' own conversions, or the standard grid (exact transverse Mercator, UPS, the
// standard zones and MGRS).
enum class GridMode { Windows, Standard };

// What to-latlong writes of each position: the UTM window's boxes, the grid reference and
// decimal degrees (the windows' mode only); degrees, minutes and seconds (the standard mode's);
// or decimal degrees alone.
enum class LatLongOutput { Full, Dms, Degrees };

// What the command line chose for a whole run.
struct BatchSettings {
    BatchDirection direction = BatchDirection::ToUtm;
    int datumPosition = 0; // in the windows' datum list: 0 is "WGS 84"
    // The fields that hold the position, counted from 0, in the order the position takes them;
    // empty when the whole line is the position.
    std::vector<std::size_t> positionFields;
    bool compactReference = false; // grid references without blanks: "38PMC0233955355"
    bool csv = false;              // answers as CSV records rather than tab-separated fields
    LatLongOutput latLongOutput = LatLongOutput::Full;

    GridMode grid = GridMode::Windows;
    // The standard grid's choices: a zone (0 for UPS) and a hemisphere asked for, the MGRS
    // precision (digit pairs) and the decimals of the angles written.
    std::optional<int> zone;
    std::optional<Hemisphere> hemisphere;
    int mgrsPrecision = 5;
    int decimals = 0;
};

} // namespace korvane
