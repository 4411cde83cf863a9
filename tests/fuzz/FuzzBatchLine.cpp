// The batch converter's line reader on any line: one line out, a result of the right shape or
// "Error" with a reason, and nothing that could break the line or its fields apart. The first
// byte picks the direction, the second the datum, the third the options.

#include "FuzzInput.hpp"
#include "batch/BatchLine.hpp"
#include "batch/LineText.hpp"
#include "support/TextShapes.hpp"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    korvane::BatchSettings settings;
    settings.direction =
        data[0] % 2 == 0 ? korvane::BatchDirection::ToUtm : korvane::BatchDirection::ToLatLong;
    settings.datumPosition = data[1] % 14;
    settings.compactReference = (data[2] & 1) != 0;
    const bool picked = (data[2] & 2) != 0;
    if (picked) {
        // The position after an identifier: fields 2 and 3, or 2 to 5.
        settings.positionFields = settings.direction == korvane::BatchDirection::ToUtm
                                      ? std::vector<std::size_t>{1, 2}
                                      : std::vector<std::size_t>{1, 2, 3, 4};
    }
    const std::string_view line(reinterpret_cast<const char*>(data + 3), size - 3);
    if (!korvane::LineFault(line).empty()) {
        return 0; // the run answers such a line before it reaches the line reader
    }
    korvane::BatchLine batchLine(settings);
    std::string output = "kept ";
    const std::string failure = batchLine.Convert(line, output);
    if (output.rfind("kept ", 0) != 0) {
        korvane::fuzz::Broken("what the output held before was changed");
    }
    const std::string answer = output.substr(5);
    if (answer.empty() || !korvane::LineFault(answer).empty()) {
        korvane::fuzz::Broken("not one clean line of answer: " + answer);
    }
    const auto tabs = std::count(answer.begin(), answer.end(), '\t');
    if (failure.empty()) {
        const long expected = settings.direction == korvane::BatchDirection::ToUtm ? 5 : 10;
        if (picked ? tabs < expected : tabs != expected) {
            korvane::fuzz::Broken("a result line with the wrong number of fields: " + answer);
        }
        // The result's own fields follow the line's copied ones.
        std::size_t resultStart = 0;
        for (long copied = tabs - expected; copied > 0; --copied) {
            resultStart = answer.find('\t', resultStart) + 1;
        }
        if (korvane::fuzz::HasNanOrInf(answer.substr(resultStart))) {
            korvane::fuzz::Broken("a result with no number in it: " + answer);
        }
    } else if (failure.find('\t') != std::string::npos || answer.size() < failure.size() + 6 ||
               answer.compare(answer.size() - failure.size() - 6, std::string::npos,
                              "Error\t" + failure) != 0) {
        korvane::fuzz::Broken("a failure not answered as Error and its reason: " + answer);
    }
    return 0;
}
