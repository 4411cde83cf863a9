#pragma once

#include "batch/BatchLine.hpp"
#include "batch/BatchSettings.hpp"
#include "batch/OutputWriter.hpp"

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

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
//
// With more than one job the lines are converted in blocks on that many threads: one fewer
// workers, and this thread, which reads the input, writes the answers in input order and
// converts blocks while it waits for the oldest one to be done: the output and the
// messages are the same bytes whatever the number of jobs. A fixed number of blocks is in
// flight, so memory stays bounded; before a read that would wait, everything read so far is
// answered, so a person or a program on the other end of a pipe gets each answer in turn.
class BatchRun {
  public:
    // A worker is handed about this many bytes of lines at a time (a longer line whole): few
    // enough that a block's lines and answers are still in a cache when the next thread takes
    // them up, enough that handing blocks over costs little beside converting them.
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 16;

    BatchRun(const BatchSettings& settings, OutputWriter& output, std::ostream& messages,
             int jobs = 1, std::size_t blockBytes = kBlockBytes);
    ~BatchRun();

    // Converts every line of an open input; a read error is reported and ends this input only.
    // Throws OutputFailure when the output cannot be written.
    void Convert(int descriptor, const std::string& name);
    // Reports an input that could not be opened.
    void CannotOpen(const std::string& name, int error);
    // Reports an input that is not converted because it is the output file.
    void InputIsOutput(const std::string& name);

    BatchStatus Status() const { return status_; }

    // How many positions each of the run's transformations shifted, over all its converters;
    // empty without a datum shift.
    std::vector<long> ShiftUses() const;

  private:
    struct Block;
    class Workers;

    void ConvertHere(int descriptor, const std::string& name);
    void ConvertOnWorkers(int descriptor, const std::string& name);
    // Reports a read error (errno, or 0 for none) that ended an input early.
    void ReadFailed(int error, const std::string& name);
    // Writes out the answers of the blocks taken back, oldest first; waits for as many as it
    // must to leave fewer than `atMost` in flight.
    void WriteBlocks(std::size_t atMost);
    // Writes a block's answers and messages as one job would: each line's message before the
    // output holding its answer, and the output at the same line ends, so that a write that
    // fails leaves the same messages behind whatever the number of jobs.
    void WriteBlock(const Block& block);
    // An empty block, one written out before if there is one.
    std::unique_ptr<Block> SpareBlock();
    void Raise(BatchStatus status) { status_ = status > status_ ? status : status_; }

    const BatchSettings& settings_;
    BatchLine line_;
    OutputWriter& output_;
    std::ostream& messages_;
    int jobs_;
    std::size_t blockBytes_;
    std::vector<std::unique_ptr<Block>> spares_;
    std::unique_ptr<Workers> workers_;
    BatchStatus status_ = kAllConverted;
};

} // namespace korvane
