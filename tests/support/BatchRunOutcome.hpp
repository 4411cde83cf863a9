#pragma once

#include "batch/BatchRun.hpp"
#include "support/FileHolding.hpp"

#include <cstddef>
#include <ostream>
#include <sstream>
#include <string>

namespace korvane {

// All that a run of the batch converter gives: what it writes, what it says and how it ends.
struct BatchRunOutcome {
    std::string output;
    std::string messages;
    BatchStatus status;
    bool operator==(const BatchRunOutcome&) const = default;

    // How GoogleTest shows an outcome in a failed comparison: as text, not as bytes.
    friend void PrintTo(const BatchRunOutcome& outcome, std::ostream* out) {
        *out << "status " << static_cast<int>(outcome.status) << "\noutput:\n"
             << outcome.output << "\nmessages:\n"
             << outcome.messages;
    }
};

// One run on a file holding the input, with that many jobs and blocks of that size.
inline BatchRunOutcome RunBatch(const BatchSettings& settings, const std::string& input, int jobs,
                                std::size_t blockBytes = BatchRun::kBlockBytes) {
    const FileHolding in(input);
    const FileHolding out;
    std::ostringstream messages;
    OutputWriter writer(out.Descriptor());
    BatchRun run(settings, writer, messages, jobs, blockBytes);
    run.Convert(in.Descriptor(), "in");
    writer.Flush();
    return {out.Contents(), messages.str(), run.Status()};
}

} // namespace korvane
