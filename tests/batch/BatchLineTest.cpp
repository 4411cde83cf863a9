#include "batch/BatchLine.hpp"

#include <gtest/gtest.h>

namespace korvane {
namespace {

struct Converted {
    std::string output;
    std::string failure;
};

Converted Convert(BatchDirection direction, std::string_view line) {
    Converted result;
    result.failure = ConvertBatchLine(direction, line, 0, result.output);
    return result;
}

// The batch gives exactly what the windows show, in its own column layout.
TEST(BatchLine, DecimalDegreesAreTheWindowsBoxesWithAHemisphere) {
    const std::pair<const char*, const char*> cases[] = {
        {"-15.875308333333333,-44.087808333333333",
         "23\tL\t-45\t8244644.57\t597660.65\t23 L   NC  97660  44644"},
        {" 45 , 3 ", "31\tT\t3\t4982950.40\t500000.00\t31 T   EK  00000  82950"},
        {"-0,0", "31\tN\t3\t10000000.00\t166021.55\t31 N   AA  66021  00000"},
    };
    for (const auto& [line, output] : cases) {
        const auto result = Convert(BatchDirection::ToUtm, line);
        EXPECT_EQ(result.output, output) << line;
        EXPECT_EQ(result.failure, "") << line;
    }
}

TEST(BatchLine, LinesTheWindowWouldRejectFailWithAReason) {
    const std::pair<const char*, const char*> cases[] = {
        {"--45,3", "latitude -45 is outside"}, // only one sign is the hemisphere
        {"91,3", "latitude 91 is outside 0 to 90 degrees"},
        {"45,-181", "longitude 181 is outside 0 to 180 degrees"},
        {"45,0,0,Q,3,0,0,E", "hemisphere must be N or S"},
        {"45,0,0,N,3,0,0,", "hemisphere must be E or W"},
        {"", "empty"},
        {"45;3", "found 1"},
        {"45,3\xc0\xaf", "not valid UTF-8"}, // an overlong "/"
    };
    for (const auto& [line, reason] : cases) {
        const auto result = Convert(BatchDirection::ToUtm, line);
        EXPECT_EQ(result.output, "") << line; // nothing written for a failed line
        EXPECT_NE(result.failure.find(reason), std::string::npos) << line << ": " << result.failure;
    }
}

TEST(BatchLine, ToLatLongRejectsWhatTheWindowShowsAsError) {
    const std::pair<const char*, const char*> cases[] = {
        {"1755352.105,402336.0,38,X", "hemisphere must be N or S"},
        {"1755352.105,402336.0,38", "expected 4 fields"},
        {"1755352.105,402336.0,5462,N", "overflow"},
        {"1e999,402336.0,38,N", "overflow"},
    };
    for (const auto& [line, reason] : cases) {
        const auto result = Convert(BatchDirection::ToLatLong, line);
        EXPECT_EQ(result.output, "") << line; // nothing written for a failed line
        EXPECT_NE(result.failure.find(reason), std::string::npos) << line << ": " << result.failure;
    }
}

} // namespace
} // namespace korvane
