// The batch converter's line reader on any line: one line out, a result of the right shape or
// "Error" with a reason. The first byte picks the direction, the second the datum.

#include "FuzzInput.hpp"
#include "TextShapes.hpp"
#include "batch/BatchLine.hpp"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const auto direction =
        data[0] % 2 == 0 ? korvane::BatchDirection::ToUtm : korvane::BatchDirection::ToLatLong;
    const int datum = data[1] % 14;
    const std::string_view line(reinterpret_cast<const char*>(data + 2), size - 2);
    std::string output = "kept ";
    const std::string failure = korvane::ConvertBatchLine(direction, line, datum, output);
    if (output.rfind("kept ", 0) != 0) {
        korvane::fuzz::Broken("what the output held before was changed");
    }
    const bool converted = failure.empty();
    if (!converted && output != "kept ") {
        korvane::fuzz::Broken("a failed line wrote to the output");
    }
    const std::string text = converted ? output.substr(5) : failure;
    if (text.empty() || text.find('\n') != std::string::npos ||
        text.find('\r') != std::string::npos) {
        korvane::fuzz::Broken("not one line of result or reason");
    }
    if (converted) {
        const auto tabs = std::count(text.begin(), text.end(), '\t');
        const long expected = direction == korvane::BatchDirection::ToUtm ? 5 : 10;
        if (tabs != expected || korvane::fuzz::HasNanOrInf(text)) {
            korvane::fuzz::Broken("a malformed result line: " + text);
        }
    } else if (failure.find('\t') != std::string::npos) {
        korvane::fuzz::Broken("a reason with a tab in it");
    }
    return 0;
}
