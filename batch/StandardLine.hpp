#pragma once

#include "batch/BatchSettings.hpp"
#include "batch/RunDatums.hpp"
#include "commands/StandardGrid.hpp"

#include <span>
#include <string>
#include <string_view>

namespace korvane {

// The lines of a run on the standard grid: exact transverse Mercator, UPS at the poles, the
// standard zones and MGRS.
//
// To UTM, a position is what LatLongFields reads; the answer is the zone (0 for UPS), the
// hemisphere, the easting and the northing to the millimetre, and the MGRS reference at the
// precision asked for.
//
// To Lat/Long, a position is what StandardFields reads; the answer is the latitude and the
// longitude in degrees, minutes and seconds, or in decimal degrees.
class StandardLine {
  public:
    // On the grid given; positions shifted by `shift` (to the grid's datum, or from it) where it
    // is given, which must outlive this.
    StandardLine(const BatchSettings& settings, const StandardGrid& grid, ThreadShift* shift);

    // Give the failure, or append the result's fields, separated by tabs, to output.
    std::string ToUtm(std::span<const std::string_view> position, bool blankSeparated,
                      std::string& output);
    std::string ToLatLong(std::span<const std::string_view> position, std::string_view blankLine,
                          std::string& output);

    // The names of the result's columns.
    static std::span<const std::string_view> Columns(const BatchSettings& settings);

  private:
    const BatchSettings& settings_;
    const StandardGrid grid_;
    ThreadShift* shift_;
};

} // namespace korvane
