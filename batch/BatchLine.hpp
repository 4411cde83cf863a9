#pragma once

#include "batch/BatchSettings.hpp"
#include "batch/FieldSplitter.hpp"
#include "batch/RunDatums.hpp"
#include "batch/StandardLine.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/InverseProjection.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Answers the lines of a run that hold points, through the same conversions as the windows, or
// on the standard grid where the run asks for it (StandardLine).
//
// To UTM, a position is what LatLongFields reads; the answer is zone, band, central meridian,
// northing, easting (two decimals) and the grid reference.
//
// To Lat/Long, a position is what UtmFields reads; the answer is the four latitude and four
// longitude boxes and the grid reference as the UTM window shows them, then the latitude and
// longitude in signed decimal degrees with nine decimals (with LatLongOutput::Degrees, those two
// alone).
//
// With a datum shift, the position is shifted to the grid's datum before it is projected, or
// from it once it is read back.
//
// Fields are read whole or not at all: what cannot be read makes the answer "Error", a tab and
// the reason.
class BatchLine {
  public:
    // The ellipsoid's terms are computed here, once for the whole run.
    explicit BatchLine(const BatchSettings& settings);

    // Appends the line's answer, without a line end, to output: the result's fields separated by
    // tabs, or "Error", a tab and the reason. With position fields picked, the line's own fields
    // come first. Gives the reason when the line was not converted, else an empty text.
    std::string Convert(std::string_view line, std::string& output);

    // Appends the answer to a header line: the names of the result's columns, after the line's
    // own fields when position fields are picked.
    void AnswerHeader(std::string_view line, std::string& output);

    const BatchSettings& Settings() const { return settings_; }

    // Whether a line without a digit is still a point rather than a header: on the standard
    // grid, a UPS reference to 100 km ("ZAG").
    bool TakesWithoutDigits(std::string_view line) const;

    // How many positions each of the run's transformations shifted here; nothing without a
    // datum shift.
    const std::vector<long>* ShiftUses() const;

  private:
    // Appends the split line's own fields, each followed by a tab; gives the failure, and appends
    // nothing, when a field would not survive being written out.
    std::string CopyOwnFields(std::string& output) const;
    // Copies the line's own fields and picks the position's from them; gives the failure when a
    // field cannot be written out or is missing.
    std::string CopyFieldsAndPickPosition(std::string& output);
    // Gives the failure, or appends the result's fields to output. A line whose fields are
    // separated by blanks is read by the rules for such lines (LatLongFields, UtmFields).
    std::string ToUtm(std::span<const std::string_view> position, bool blankSeparated,
                      std::string& output);
    std::string ToLatLong(std::span<const std::string_view> position, std::string_view blankLine,
                          std::string& output);

    const BatchSettings& settings_;
    const ForwardTerms forwardTerms_;
    const InverseTerms inverseTerms_;
    std::optional<ThreadShift> shift_;     // this thread's datum shift, when the run has one
    std::optional<StandardLine> standard_; // the standard grid's, when the run asks for it
    FieldSplitter splitter_;
    std::vector<std::string_view> picked_;
};

} // namespace korvane
