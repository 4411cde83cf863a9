#pragma once

#include "batch/BatchLine.hpp"
#include "batch/BatchSettings.hpp"
#include "batch/OutputWriter.hpp"

#include <ostream>
#include <string>

namespace korvane {

// The exit statuses of korvane-batch, from the least to the most serious.
enum BatchStatus {
    kAllConverted = 0,
    kSomeLinesFailed = 1,
    kWrongCommandLineOrUnreadableInput = 2,
    kOutputNotWritten = 3,
};

// Converts its inputs one after another onto one output: one output line for every input line,
// in order. Blank lines and lines starting with "#" are copied; a first line with names and no
// digit is a header, answered with the names of the columns; every other line is a point, answered
// with its result or with "Error", a tab and the reason (also named, with its line number, in the
// messages).
class BatchRun {
  public:
    BatchRun(const BatchSettings& settings, OutputWriter& output, std::ostream& messages)
        : line_(settings), output_(output), messages_(messages) {}

    // Converts every line of an open input; a read error is reported and ends this input only.
    // Throws OutputFailure when the output cannot be written.
    void Convert(int descriptor, const std::string& name);
    // Reports an input that could not be opened.
    void CannotOpen(const std::string& name, int error);

    BatchStatus Status() const { return status_; }

  private:
    // Appends the answer to one line; lineNumber counts from 1 within the input.
    void Answer(std::string_view text, bool tooLong, bool ended, const std::string& name,
                long lineNumber);
    void Failed(const std::string& name, long lineNumber, const std::string& reason);
    void Raise(BatchStatus status) { status_ = status > status_ ? status : status_; }

    BatchLine line_;
    OutputWriter& output_;
    std::ostream& messages_;
    bool pointsBegun_ = false; // a point or a header has come in the current input
    BatchStatus status_ = kAllConverted;
};

} // namespace korvane
