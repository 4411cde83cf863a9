#pragma once

#include <cstddef>
#include <vector>

namespace korvane {

enum class BatchDirection { ToUtm, ToLatLong };

// What to-latlong writes of each position: the UTM window's boxes, the grid reference and
// decimal degrees, or decimal degrees alone.
enum class LatLongOutput { Full, Degrees };

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
};

} // namespace korvane
