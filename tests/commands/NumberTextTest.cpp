#include "commands/NumberText.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/Rounding.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

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
    // clang-format off
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
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(GroupedNumber(c.value, kEnglish), c.english) << c.value;
        EXPECT_EQ(GroupedNumber(c.value, kGerman), c.german) << c.value;
    }
    EXPECT_EQ(GroupedNumber(1755355.43, kFrench), "1\u202F755\u202F355,43");
}

std::string TwoDecimalText(double value) {
    std::string text = "|";
    AppendTwoDecimalNumber(text, value);
    return text;
}

TEST(AppendTwoDecimalNumber, RoundsOnTheBinaryValueAndAppends) {
    const std::pair<double, const char*> cases[] = {
        {500000, "|500000.00"},
        {1755355.43, "|1755355.43"},
        {0, "|0.00"},
        {-0.001, "|0.00"},
        {-0.005, "|-0.01"}, // just beyond the half as a double
        {2.675, "|2.67"},   // just below the half as a double
        {0.125, "|0.12"},   // exactly half: to the even hundredth
        {-1234.5678, "|-1234.57"},
        {9999999999999.996, "|10000000000000.00"},
        {1e15, "|1000000000000000.00"},
        {-1e20, "|-100000000000000000000.00"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(TwoDecimalText(value), text) << value;
    }
    EXPECT_THROW(TwoDecimalText(NAN), FloatingPointFailure);
    EXPECT_THROW(TwoDecimalText(-INFINITY), FloatingPointFailure);
}

// Numbers are written straight from the unrounded value; that must read exactly as rounding to
// hundredths first, at every magnitude.
TEST(AppendTwoDecimalNumber, WritesWhatRoundingFirstGives) {
    std::mt19937_64 random(12);
    std::uniform_real_distribution<double> exponent(-4, 17);
    for (int i = 0; i < 200000; ++i) {
        const double value = (i % 2 == 0 ? 1 : -1) * std::pow(10, exponent(random));
        ASSERT_EQ(TwoDecimalText(value), TwoDecimalText(RoundToHundredths(value))) << value;
        ASSERT_EQ(GroupedNumber(value, kEnglish), GroupedNumber(RoundToHundredths(value), kEnglish))
            << value;
    }
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
