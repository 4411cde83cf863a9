#pragma once

#include "batch/BatchSettings.hpp"
#include "batch/FieldSplitter.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Answers the lines of a run that hold points, through the same conversions as the windows.
//
// To UTM, a position is two fields, a latitude and a longitude in any form that AngleText
// reads (the longitude may come first when both carry hemisphere letters), or the Lat/Long
// window's eight inputs (latitude degrees, minutes, seconds, N or S, then the same for the
// longitude with E or W). The answer is zone, band, central meridian, northing, easting (two
// decimals) and the grid reference.
//
// To Lat/Long, a position is four fields (northing, easting, zone, N or S), a line as to-UTM
// writes it (the band letter telling the hemisphere), or one field holding a grid reference. The
// answer is the four latitude and four longitude boxes and the grid reference as the UTM window
// shows them, then the latitude and longitude in signed decimal degrees with nine decimals.
//
// Every number is read whole or not at all: a field that is empty or not wholly a number in an
// accepted form makes the line's answer "Error", a tab and the reason.
class BatchLine {
  public:
    explicit BatchLine(const BatchSettings& settings) : settings_(settings) {}

    // Appends the line's answer, without a line end, to output: the result's fields separated by
    // tabs, or "Error", a tab and the reason. With position fields picked, the line's own fields
    // come first. Gives the reason when the line was not converted, else an empty text.
    std::string Convert(std::string_view line, std::string& output);

    // Appends the answer to a header line: the names of the result's columns, after the line's
    // own fields when position fields are picked.
    void AnswerHeader(std::string_view line, std::string& output);

  private:
    // Gives the failure, or appends the result's fields to output.
    std::string ToUtm(std::span<const std::string_view> position, std::string& output) const;
    std::string ToLatLong(std::span<const std::string_view> position, std::string& output) const;

    const BatchSettings& settings_;
    FieldSplitter splitter_;
    std::vector<std::string_view> picked_;
};

} // namespace korvane
