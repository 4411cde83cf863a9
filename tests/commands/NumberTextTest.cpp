#include "commands/NumberText.hpp"

#include <gtest/gtest.h>

namespace korvane {
namespace {

const RegionalSeparators kEnglish{",", "."};
const RegionalSeparators kGerman{".", ","};
const RegionalSeparators kFrench{"\u202F", ","};

struct GroupedCase {
    double value;
    const char* english;
    const char* german;
};

TEST(GroupedNumber, WritesThePatternWithTheRegionalSeparators) {
    const GroupedCase cases[] = {
        {1755355.43, "1,755,355.43", "1.755.355,43"},
        {402339.35, "402,339.35", "402.339,35"},
        {7989218.8, "7,989,218.8", "7.989.218,8"},
        {4982950.40, "4,982,950.4", "4.982.950,4"},
        {500000, "500,000.", "500.000,"},
        {10000000, "10,000,000.", "10.000.000,"},
        {0, ".", ","},
        {0.5, ".5", ",5"},
        {0.05, ".05", ",05"},
        {999, "999.", "999,"},
        {1000, "1,000.", "1.000,"},
        {-1234.5, "-1,234.5", "-1.234,5"},
        {-0.001, ".", ","},
        {123456789012.34, "123,456,789,012.34", "123.456.789.012,34"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GroupedNumber(c.value, kEnglish), c.english) << c.value;
        EXPECT_EQ(GroupedNumber(c.value, kGerman), c.german) << c.value;
    }
    EXPECT_EQ(GroupedNumber(1755355.43, kFrench), "1\u202F755\u202F355,43");
}

TEST(PlainNumber, ShortestFormWithFifteenSignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {6378137, "6378137"},
        {6356752.3142, "6356752.3142"},
        {6356863, "6356863"},
        {31.0, "31"},
        {16.1, "16.1"},
        {19.48, "19.48"},
        {0, "0"},
        {-0.0, "0"},
        {-45, "-45"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {123456789012345678.0, "123456789012346000"},
        {1e20, "100000000000000000000"},
        {0.000123, "0.000123"},
        {1e-20, "0.00000000000000000001"},
        {59.999999999999996, "60"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(PlainNumber(value, "."), text) << value;
    }
    EXPECT_EQ(PlainNumber(6356752.3142, ","), "6356752,3142");
}

} // namespace
} // namespace korvane
