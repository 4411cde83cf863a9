#include "batch/AngleText.hpp"

#include "batch/DecimalText.hpp"

#include <gtest/gtest.h>

namespace korvane {
namespace {

struct AngleCase {
    const char* field;
    const char* degrees;
    const char* minutes;
    const char* seconds;
    char hemisphere;
    bool negative;
};

// Every accepted form gives the parts as the window's boxes would hold them.
TEST(AngleText, ReadsTheFormsFilesHold) {
    // clang-format off
    const AngleCase cases[] = {
        {"-33.86",             "33.86", "",   "",      0,   true},
        {"+45",                "45",    "",   "",      0,   false},
        {".5",                 ".5",    "",   "",      0,   false},
        {"1e-05",              "1e-05", "",   "",      0,   false}, // as pandas writes it
        {"33.86S",             "33.86", "",   "",      'S', false},
        {"33.86 s",            "33.86", "",   "",      'S', false}, // a lone number: s is south
        {"S33.86",             "33.86", "",   "",      'S', false},
        {"151.21e",            "151.21", "",  "",      'E', false}, // no digits after e: a letter
        {"w 74",               "74",    "",   "",      'W', false},
        {"15°52'31.11\"N",     "15",    "52", "31.11", 'N', false},
        {"15° 52′ 31.11″ N",   "15",    "52", "31.11", 'N', false},
        {"15°52’31.11”",       "15",    "52", "31.11", 0,   false}, // a word processor's quotes
        {"15°52'31.11''",      "15",    "52", "31.11", 0,   false},
        {"15d52m31.11s",       "15",    "52", "31.11", 0,   false}, // after marks: s is seconds
        {"15d52m31.11s S",     "15",    "52", "31.11", 'S', false},
        {"15d 31s",            "15",    "",   "31",    0,   false},
        {"15°52'31.11s",       "15",    "52", "31.11", 'S', false}, // after ° and ': south
        {"15° 52 s",           "15",    "52", "",      'S', false},
        {"45º30'",             "45",    "30", "",      0,   false},
        {"3˚",                 "3",     "",   "",      0,   false},
        {"15°52.5'",           "15",    "52.5", "",    0,   false},
        {"15°52'31.11",        "15",    "52", "31.11", 0,   false}, // the last mark left out
        {"-15°52'",            "15",    "52", "",      0,   true},
        {"15:52:31.11N",       "15",    "52", "31.11", 'N', false},
        {"15:52.5",            "15",    "52.5", "",    0,   false},
        {"-15:52:31.11",       "15",    "52", "31.11", 0,   true},
        {"N15:52:31.11",       "15",    "52", "31.11", 'N', false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        AngleText angle;
        EXPECT_EQ(ReadAngleText(c.field, angle), "");
        EXPECT_EQ(angle.parts[0], c.degrees);
        EXPECT_EQ(angle.parts[1], c.minutes);
        EXPECT_EQ(angle.parts[2], c.seconds);
        EXPECT_EQ(angle.hemisphere, c.hemisphere);
        EXPECT_EQ(angle.negative, c.negative);
    }
}

// Nothing that only starts like an angle is read as one.
TEST(AngleText, RejectsWhatHasNoOneMeaning) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"1O.5",             "is not a number: \"O\" cannot follow \"1\""}, // a letter O
        {"lat",              "is not a number"},
        {"N",                "is not a number"},
        {"4 5",              "\"5\" cannot follow \"4\""},
        {"15 52 31.11",      "\"5\" cannot follow \"15\""},
        {"1.2.3",            "\".\" cannot follow \"1.2\""},
        {"&H10",             "is not a number"},
        {"1D2",              "\"D\" cannot follow \"1\""},
        {"-33S",             "both a sign and a hemisphere letter"},
        {"+33S",             "both a sign and a hemisphere letter"},
        {"S-33",             "both a sign and a hemisphere letter"},
        {"N33S",             "two hemisphere letters"},
        {"15°75'",           "minutes 75, which must be below 60"},
        {"15:52:60",         "seconds 60, which must be below 60"},
        {"15.5°30'",         "decimals in its degrees"},
        {"15:52.5:10",       "decimals in its minutes"},
        {"15'30°",           "its degrees after its minutes"},
        {"15:52'",           "mixes colons"},
        {"15°52:31",         "mixes colons"},
        {"15:52:31:2",       "more than degrees, minutes and seconds"},
        {"15°52'31\"12",     "more than degrees, minutes and seconds"},
        {"15:",              "is not a number"},
        {"1e5°",             "\"°\" cannot follow \"1e5\""},
        {"15°N x",           "\"x\" cannot follow \"15°N\""},
    };
    // clang-format on
    for (const auto& [field, reason] : cases) {
        AngleText angle;
        const std::string failure = ReadAngleText(field, angle);
        EXPECT_NE(failure.find(reason), std::string::npos) << field << ": " << failure;
    }
}

TEST(DecimalText, TakesWholeNumbersOnly) {
    // clang-format off
    const std::tuple<const char*, bool, bool, bool> cases[] = {
        // text           a number  a whole number  plain
        {"38",            true,     true,           true},
        {"-5",            true,     true,           false},
        {"38.0",          true,     true,           true},
        {"38.5",          true,     false,          true},
        {"44.0878083333333333", true, false,        true}, // longer than two words
        {"4.98295040e6",  true,     false,          false},
        {"1E+3",          true,     false,          false},
        {".5",            true,     false,          true},
        {"5.",            true,     true,           true},
        {"",              false,    false,          false},
        {"-",             false,    false,          false},
        {".",             false,    false,          false},
        {"1..2",          false,    false,          false},
        {"1.2.3",         false,    false,          false},
        {"1e",            false,    false,          false},
        {"1D2",           false,    false,          false},
        {" 1",            false,    false,          false},
        {"1 2",           false,    false,          false},
        {"--1",           false,    false,          false},
        {"0x10",          false,    false,          false},
        {"inf",           false,    false,          false},
        {"nan",           false,    false,          false},
        {"1/2",           false,    false,          false}, // the characters next to the digits
        {"1:2",           false,    false,          false},
    };
    // clang-format on
    for (const auto& [text, number, whole, plain] : cases) {
        EXPECT_EQ(IsDecimalNumber(text), number) << text;
        EXPECT_EQ(IsWholeNumber(text), whole) << text;
        EXPECT_EQ(IsPlainDecimal(text), plain) << text;
    }
}

} // namespace
} // namespace korvane
