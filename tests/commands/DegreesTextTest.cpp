#include "commands/DegreesText.hpp"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(DegreesText, WritesAnglesAsAPersonDoes) {
    struct Case {
        double degrees;
        int decimals;
        const char* letters;
        const char* text;
    };
    // clang-format off
    const Case cases[] = {
        {15.875308333333333,  2, "NS", "15°52'31.11\"N"},
        {-44.087808333333333, 4, "EW", "44°05'16.1100\"W"},
        {51.5,                2, "NS", "51°30'00.00\"N"},   // never 51°29'60.00"
        {51.49999999999,      2, "NS", "51°30'00.00\"N"},   // the rounding carried on
        {59.9999999999,       0, "EW", "60°00'00\"E"},
        {-0.0,                2, "NS", "0°00'00.00\"N"},    // no sign, no S, for nothing
        {-0.000000001,        2, "NS", "0°00'00.00\"N"},
        {-0.0001,             2, "NS", "0°00'00.36\"S"},
        {179.99999999999,     9, "EW", "179°59'59.999999964\"E"},
        {179.999999999999,    8, "EW", "180°00'00.00000000\"E"},
        {0.1234567891,        9, "EW", "0°07'24.444440760\"E"},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::string text = "kept ";
        AppendDegreesMinutesSeconds(text, c.degrees, c.decimals, c.letters);
        EXPECT_EQ(text, std::string("kept ") + c.text) << c.degrees;
    }
}

TEST(DegreesText, WritesDecimalDegreesAndMillimetres) {
    std::string text;
    AppendDecimalDegrees(text, -33.86, 9);
    text += ' ';
    AppendDecimalDegrees(text, -0.0000000001, 9); // shows as zero: no sign
    text += ' ';
    AppendMillimetres(text, 4507350.9982);
    text += ' ';
    AppendMillimetres(text, -110530.1594);
    EXPECT_EQ(text, "-33.860000000 0.000000000 4507350.998 -110530.159");
}

} // namespace
} // namespace korvane
