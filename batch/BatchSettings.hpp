#pragma once

#include "geodesy/Coordinates.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

struct RunDatums;

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

    // A datum shift: the datum the positions are on (measured on, for to-utm; wanted on, for
    // to-latlong) and the grid's, as PROJ names them; empty for none. datums are the two
    // resolved, made once for the run before it starts.
    std::string positionDatum;
    std::string gridDatum;
    bool shiftAnyway = false; // outside every transformation's area of use, PROJ's fallback
    bool quiet = false;       // nothing said of the datums and the transformations
    const RunDatums* datums = nullptr;
};

} // namespace korvane
