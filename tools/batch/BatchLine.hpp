#pragma once

#include <string>
#include <string_view>

namespace korvane {

enum class BatchDirection { ToUtm, ToLatLong };

// One converted line: the tab-separated result, or the reason it could not be converted.
struct BatchLine {
    std::string output;
    std::string failure;

    bool Converted() const { return failure.empty(); }
};

// Converts one input line, with fields separated by tabs or commas, through the same
// conversions as the windows.
//
// To UTM: the Lat/Long window's eight inputs (latitude degrees, minutes, seconds, N or S,
// longitude degrees, minutes, seconds, E or W), or two signed decimal degrees. Gives zone, band,
// central meridian, northing, easting (two decimals) and the grid reference.
//
// To Lat/Long: northing, easting, zone and N or S. Gives the four latitude and four longitude
// boxes and the grid reference as the window shows them, then the latitude and longitude in
// signed decimal degrees with nine decimals.
BatchLine ConvertBatchLine(BatchDirection direction, std::string_view line, int datumPosition);

} // namespace korvane
