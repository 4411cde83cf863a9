#include "batch/CsvRecord.hpp"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(CsvRecord, QuotesOnlyTheFieldsThatNeedIt) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"31\tT\t3",                         "31,T,3"},
        {"31 T   EK  00000  82950",          "31 T   EK  00000  82950"}, // blanks inside stay bare
        {"Paris, FR\t48.85",                 "\"Paris, FR\",48.85"},
        {"Error\tlatitude \"x\" is bad",     "Error,\"latitude \"\"x\"\" is bad\""},
        {" lead\ttrail \tboth ",             "\" lead\",\"trail \",\"both \""},
        {"\t\t",                             ",,"},
        {"",                                 ""},
    };
    // clang-format on
    for (const auto& [fields, record] : cases) {
        std::string text = "kept\n";
        text += fields;
        TabsToCsvRecord(text, 5);
        EXPECT_EQ(text, std::string("kept\n") + record) << fields;
    }
}

} // namespace
} // namespace korvane
