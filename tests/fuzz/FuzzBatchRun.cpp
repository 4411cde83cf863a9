// A whole run of the batch converter on any input: the output, the messages and the status are
// the same with several jobs and small blocks as with one job. The first byte picks the
// direction, the second the number of jobs, the third the size of the blocks.

#include "FuzzInput.hpp"
#include "support/BatchRunOutcome.hpp"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    korvane::BatchSettings settings;
    settings.direction =
        data[0] % 2 == 0 ? korvane::BatchDirection::ToUtm : korvane::BatchDirection::ToLatLong;
    const int jobs = 2 + data[1] % 3;
    const std::size_t blockBytes = 1 + data[2] % 64;
    const std::string input(reinterpret_cast<const char*>(data + 3), size - 3);
    if (!(korvane::RunBatch(settings, input, 1) ==
          korvane::RunBatch(settings, input, jobs, blockBytes))) {
        korvane::fuzz::Broken("several jobs answered otherwise than one");
    }
    return 0;
}
