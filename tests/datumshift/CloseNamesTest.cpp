#include "datumshift/CloseNames.hpp"

#include <gtest/gtest.h>

namespace korvane {
namespace {

struct CloseCase {
    const char* given;
    std::vector<std::size_t> close;
};

TEST(CloseNames, OneSlipInFourCharactersOrABeginningBestFirst) {
    const std::vector<std::string> names = {"ED50",         "ED50(ED77)", "Pulkovo 1942",
                                            "Pulkovo 1995", "Tokyo",      "NAD27",
                                            "NAD83",        "nad-27",     "Tokyo 1892"};
    // clang-format off
    const CloseCase cases[] = {
        {"ED5O", {0}},                 // one changed
        {"ed 50", {0, 1}},             // case and blanks set aside, then what begins with it
        {"Pulkovo 1924", {2, 3}},      // two swapped, then two changed
        {"Tokio", {4}},
        {"NAD 72", {5}},               // two swapped; nad-27 is NAD27 again and comes once
        {"Pulkovo", {2, 3}},           // beginnings, shorter first
        {"XYZ", {}},
        {"", {}},
        {"-", {}},
    };
    // clang-format on
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(CloseNames(c.given, names, 5), c.close);
    }
    EXPECT_EQ(CloseNames("Pulkovo", names, 1), std::vector<std::size_t>{2});
}

} // namespace
} // namespace korvane
