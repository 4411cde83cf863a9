#include "commands/RegionalReading.hpp"

#include "commands/NumberText.hpp"
#include "commands/ReadNumber.hpp"
#include "geodesy/Failure.hpp"

#include <bit>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>

namespace korvane {
namespace {

const RegionalSeparators kEnglish{",", "."};
const RegionalSeparators kGerman{".", ","};
const RegionalSeparators kFrench{"\u202F", ","};
// Swiss German writes 1’755’355.43: its point is ".", so nothing changes there.
const RegionalSeparators kSwiss{"\u2019", "."};
// The same three-byte group separator with a comma as the point.
const RegionalSeparators kApostropheComma{"\u2019", ","};

double Read(const char* text, const RegionalSeparators& separators) {
    return ReadNumber(RegionalReading(text, separators));
}

struct Case {
    const char* text;
    double english, german, french, swiss, apostropheComma;
};

TEST(RegionalReading, ReadsTheRegionalFormAndKeepsEveryOtherReading) {
    // clang-format off
    const Case cases[] = {
        {"31,11",                       31,         31.11,      31.11,      31,       31.11},
        {"31.11",                       31.11,      31.11,      31.11,      31.11,    31.11},
        {"1.755.355,43",                1.755,      1755355.43, 1.755,      1.755,    1.755},
        {"1\u202F755\u202F355,43",      1,          1,          1755355.43, 1,        1},
        {"1\u2019755\u2019355,43",      1,          1,          1,          1,        1755355.43},
        {"1\u2019755\u2019355.43",      1,          1,          1,          1,        1},
        {"402.339,35",                  402.339,    402339.35,  402.339,    402.339,  402.339},
        {"500.000,",                    500,        500000,     500,        500,      500},
        {",",                           0,          0,          0,          0,        0},
        {",5",                          0,          0.5,        0.5,        0,        0.5},
        {"-,5",                         0,          -0.5,       -0.5,       0,        -0.5},
        {"-1.234,5",                    -1.234,     -1234.5,    -1.234,     -1.234,   -1.234},
        {"+1,5e3",                      1,          1500,       1500,       1,        1500},
        {"1,5D-2",                      1,          0.015,      0.015,      1,        0.015},
        {" 31 , 11\n",                  31,         31.11,      31.11,      31,       31.11},
        {"1 755 355,43",                1755355,    1755355.43, 1755355.43, 1755355,  1755355.43},
        // Read whole the old way: kept, although German groups would make it 1234.
        {"1.234",                       1.234,      1.234,      1.234,      1.234,    1.234},
        {"1755352.105",                 1755352.105, 1755352.105, 1755352.105, 1755352.105, 1755352.105},
        {"1.5e3",                       1500,       1500,       1500,       1500,     1500},
        {"1.755.355",                   1.755,      1755355,    1.755,      1.755,    1.755},
        // Neither form: today's reading.
        {"12.34,5",                     12.34,      12.34,      12.34,      12.34,    12.34},
        {"1234.567,8",                  1234.567,   1234.567,   1234.567,   1234.567, 1234.567},
        {"1.755.35,43",                 1.755,      1.755,      1.755,      1.755,    1.755},
        {"1.755.,43",                   1.755,      1.755,      1.755,      1.755,    1.755},
        {".755,43",                     0.755,      0.755,      0.755,      0.755,    0.755},
        {"1,5,3",                       1,          1,          1,          1,        1},
        {"31,11 s",                     31,         31,         31,         31,       31},
        {"1,5e",                        1,          1,          1,          1,        1},
        {"1,5.3",                       1,          1,          1,          1,        1},
        {"&H1F",                        31,         31,         31,         31,       31},
        {"&H1,5",                       1,          1,          1,          1,        1},
        {"",                            0,          0,          0,          0,        0},
        {"15",                          15,         15,         15,         15,       15},
        {"abc",                         0,          0,          0,          0,        0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Read(c.text, kEnglish), c.english);
        EXPECT_EQ(Read(c.text, kGerman), c.german);
        EXPECT_EQ(Read(c.text, kFrench), c.french);
        EXPECT_EQ(Read(c.text, kSwiss), c.swiss);
        EXPECT_EQ(Read(c.text, kApostropheComma), c.apostropheComma);
        // Where the point is ".", the text is not even looked at.
        EXPECT_EQ(RegionalReading(c.text, kEnglish), c.text);
        EXPECT_EQ(RegionalReading(c.text, kSwiss), c.text);
    }
}

TEST(RegionalReading, GivesTheNumberWithAPointAndNoGroups) {
    EXPECT_EQ(RegionalReading("1.755.355,43", kGerman), "1755355.43");
    EXPECT_EQ(RegionalReading("31,11", kGerman), "31.11");
    EXPECT_EQ(RegionalReading("500.000,", kGerman), "500000.");
    EXPECT_EQ(RegionalReading("-1\u202F234,5e+2", kFrench), "-1234.5e+2");
    EXPECT_EQ(RegionalReading("31.11", kGerman), "31.11");
    EXPECT_EQ(RegionalReading("31,11 s", kGerman), "31,11 s");
}

TEST(RegionalReading, ANumberTooLargeStillFailsToRead) {
    EXPECT_THROW(Read("9,5e999", kGerman), OverflowFailure);
    EXPECT_THROW(Read("1.000,5D999", kGerman), OverflowFailure);
}

// What the windows write where the point is not ".", the grouped northings and eastings and the
// plain seconds, reads back to the same double. (Where it is ".", "1,755,355.43" still reads 1.)
TEST(RegionalReading, WhatTheWindowsShowReadsBack) {
    std::mt19937_64 random(11);
    std::uniform_int_distribution<std::int64_t> hundredths(-100000000000, 100000000000);
    for (const auto& separators : {kGerman, kFrench, kApostropheComma}) {
        for (int i = 0; i < 20000; ++i) {
            const double value = static_cast<double>(hundredths(random)) / 100;
            for (const std::string& shown :
                 {GroupedNumber(value, separators), PlainNumber(value, separators.decimal)}) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(
                              ReadNumber(RegionalReading(shown, separators)) + 0.0),
                          std::bit_cast<std::uint64_t>(value + 0.0))
                    << shown << " with the point " << separators.decimal;
            }
        }
    }
}

} // namespace
} // namespace korvane
