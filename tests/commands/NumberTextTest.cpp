#include "commands/NumberText.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/Rounding.hpp"

#include <charconv>
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
        {-19.48, "-19.48"},
        {0.01, "0.01"},
        {-0.5, "-0.5"},
        {59.99, "59.99"},
        {999999999.99, "999999999.99"},
        {0.005, "0.005"},
        {31.125, "31.125"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(PlainNumber(value, "."), text) << value;
        std::string appended = "text ";
        AppendPlainNumber(appended, value, ".");
        EXPECT_EQ(appended, "text " + std::string(text)) << value;
    }
    EXPECT_EQ(PlainNumber(6356752.3142, ","), "6356752,3142");
    EXPECT_EQ(PlainNumber(-19.48, ","), "-19,48");
    const std::string longSeparator(100, ',');
    EXPECT_EQ(PlainNumber(-19.4, longSeparator), "-19" + longSeparator + "4");
}

TEST(NineDecimalDegrees, RoundsTheExactValueWithHalvesToEven) {
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {-33.860000002, "-33.860000002"},
        {0, "0.000000000"},
        {-0.0, "0.000000000"},
        {-4e-10, "0.000000000"},            // a negative value that shows as zero is zero
        {-6e-10, "-0.000000001"},
        {0.0009765625, "0.000976562"},      // 2^-10: exactly half a unit, to the even one
        {0.0029296875, "0.002929688"},      // 3 * 2^-10: exactly half, to the even one
        {180, "180.000000000"},
        {999999999.9999999, "999999999.999999881"},
        {1e9, "1000000000.000000000"},
        {1e300, nullptr},                   // the text of to_chars, whatever its length
    };
    // clang-format on
    for (const auto& [value, text] : cases) {
        if (text != nullptr) {
            EXPECT_EQ(NineDecimalDegrees(value), text) << value;
            std::string appended = "text ";
            AppendNineDecimalDegrees(appended, value);
            EXPECT_EQ(appended, "text " + std::string(text)) << value;
        }
    }
}

// The text is to_chars' own, but for a negative zero, with each number of decimals: on random
// values of every size that matters, and on values next to the half-units where the rounding
// turns, whose product by the scale is often exactly a half.
TEST(FixedNumber, IsToCharsTextForAnyValue) {
    std::mt19937_64 engine(9);
    std::uniform_int_distribution<int> nudge(-3, 3);
    for (int decimals = 0; decimals <= 9; ++decimals) {
        const double scale = std::pow(10.0, decimals);
        std::uniform_real_distribution<double> exponent(-decimals - 3, 10);
        int halves = 0;
        for (int i = 0; i < 200000; ++i) {
            double value = std::pow(10.0, exponent(engine)) * (i % 2 == 0 ? 1 : -1);
            if (i % 2 == 0) { // next to a half unit
                value = (std::floor(value * scale) + 0.5) / scale;
                for (int steps = nudge(engine); steps != 0; steps -= steps > 0 ? 1 : -1) {
                    value = std::nextafter(value, steps > 0 ? INFINITY : -INFINITY);
                }
                const double units = std::fabs(value) * scale;
                halves += units - std::floor(units) == 0.5 ? 1 : 0;
            }
            char buffer[400];
            const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                               std::chars_format::fixed, decimals);
            std::string expected(buffer, written.ptr);
            if (expected.find_first_of("123456789") == std::string::npos && expected[0] == '-') {
                expected.erase(0, 1);
            }
            std::string appended = "text ";
            AppendFixedNumber(appended, value, decimals);
            ASSERT_EQ(appended, "text " + expected) << decimals << " " << std::hexfloat << value;
            if (decimals == 9) {
                ASSERT_EQ(NineDecimalDegrees(value), expected) << std::hexfloat << value;
            }
        }
        // The products that are exactly a half are left to to_chars.
        EXPECT_GT(halves, 1000) << decimals;
    }
}

} // namespace
} // namespace korvane
