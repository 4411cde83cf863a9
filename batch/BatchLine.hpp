#pragma once

#include <string>
#include <string_view>

namespace korvane {

enum class BatchDirection { ToUtm, ToLatLong };

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
//
// Appends the tab-separated result to output and gives an empty text, or leaves output as it was
// and gives the reason the line could not be converted.
std::string ConvertBatchLine(BatchDirection direction, std::string_view line, int datumPosition,
                             std::string& output);

} // namespace korvane
