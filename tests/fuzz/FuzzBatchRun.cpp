// A whole run of the batch converter on any input: the output, the messages and the status are
// the same with several jobs and small blocks as with one job. The first byte picks the
// direction, the second the number of jobs, the third the size of the blocks.

#include "FuzzInput.hpp"
#include "batch/BatchRun.hpp"
#include "support/FileHolding.hpp"

#include <sstream>
#include <string>

namespace {

struct RunResult {
    std::string output;
    std::string messages;
    korvane::BatchStatus status;
    bool operator==(const RunResult&) const = default;
};

RunResult RunOn(const korvane::BatchSettings& settings, const korvane::FileHolding& input, int jobs,
                std::size_t blockBytes) {
    const korvane::FileHolding output;
    std::ostringstream messages;
    korvane::OutputWriter writer(output.Descriptor());
    korvane::BatchRun run(settings, writer, messages, jobs, blockBytes);
    ::lseek(input.Descriptor(), 0, SEEK_SET);
    run.Convert(input.Descriptor(), "input");
    writer.Flush();
    return {output.Contents(), messages.str(), run.Status()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    korvane::BatchSettings settings;
    settings.direction =
        data[0] % 2 == 0 ? korvane::BatchDirection::ToUtm : korvane::BatchDirection::ToLatLong;
    const int jobs = 2 + data[1] % 3;
    const std::size_t blockBytes = 1 + data[2] % 64;
    const korvane::FileHolding input(
        std::string(reinterpret_cast<const char*>(data + 3), size - 3));
    if (!(RunOn(settings, input, 1, korvane::BatchRun::kBlockBytes) ==
          RunOn(settings, input, jobs, blockBytes))) {
        korvane::fuzz::Broken("several jobs answered otherwise than one");
    }
    return 0;
}
