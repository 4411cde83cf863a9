#include "commands/UtmCommand.hpp"

#include "support/FakeUtmWindow.hpp"

#include <array>
#include <gtest/gtest.h>

namespace korvane {
namespace {

const RegionalSeparators kEnglish{",", "."};

struct Case {
    std::array<const char*, 3> input;
    const char* combo1;
    int combo3;
    std::array<const char*, 4> latitude;
    std::array<const char*, 4> longitude;
    const char* txtM;
};

TEST(UtmCommand, ConvertsTheKnownPositions) {
    // clang-format off
    const Case cases[] = {
        {{"1755352.105", "402336.0", "38"}, "N", 0, {"15", "52", "31", "N"}, {"44", "5", "16", "E"}, "38 P   MC  02336  55352"},
        {{"8244644.57", "597660.65", "23"}, "S", 0, {"15", "52", "31.11", "S"}, {"44", "5", "16.11", "W"}, "23 L   NC  97660  44644"},
        {{"6251925.36", "334416.39", "56"}, "S", 0, {"33", "51", "36", "S"}, {"151", "12", "36", "E"}, "56 H   LH  34416  51925"},
        {{"4505935.87", "584482.35", "18"}, "N", 0, {"40", "42", "0", "N"}, {"74", "0", "0", "W"}, "18 T   WL  84482  05935"},
        {{"4982950.40", "500000", "31"}, "N", 0, {"44", "59", "60", "N"}, {"3", "0", "0", "E"}, "31 T   EK  00000  82950"},
        {{"9997964.94", "500000", "31"}, "N", 0, {"89", "59", "60", "N"}, {"3", "0", "0", "E"}, "31 Z   EV  00000  97964"},
        {{"10700000", "500000", "31"}, "N", 0, {"96", "17", "17.21", "N"}, {"3", "0", "0", "E"}, "31 Z   EH  00000  00000"},
        {{"", "", ""}, "N", 0, {"0", "0", "0", "N"}, {"187", "29", "19.48", "W"}, "0 N   RF  00000  00000"},
        {{"1755352.105", "402336.0", "38"}, "N", 2, {"15", "52", "31", "N"}, {"44", "5", "16", "E"}, "38 P   MC  02336  55352"}, // GRS 80 changes no digit
        {{"1755352.105", "402336.0", "38"}, "N", 13, {"15", "52", "35.58", "N"}, {"44", "5", "15.53", "E"}, "38 P   MC  02336  55352"}, // Everest 1830
        {{"1755352.105", "402336.0", ".5"}, "N", 0, {"15", "52", "31", "N"}, {"183", "54", "44", "W"}, "0 P   VC  02336  55352"}, // .5 rounds to zone 0
        // South of the equator in the northern hemisphere: the degrees keep their sign, the
        // minutes and seconds count from the whole degree as they do everywhere.
        {{"-100000", "500000", "31"}, "N", 0, {"-1", "54", "17.03", "N"}, {"3", "0", "0", "E"}, "31 M   EV  00000  00000"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input[0]) + " " + c.input[1] + " " + c.input[2]);
        FakeUtmWindow window;
        window.text1 = {c.input[0], c.input[1], c.input[2]};
        window.combo1 = c.combo1;
        window.combo3 = c.combo3;
        RunUtmCommand(window, kEnglish);
        EXPECT_TRUE(window.frame2Visible);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(window.latitude[i], c.latitude[i]) << "TxtLat(" << i << ")";
            EXPECT_EQ(window.longitude[i], c.longitude[i]) << "TxtLong(" << i << ")";
        }
        EXPECT_EQ(window.txtM, c.txtM);
    }
}

TEST(UtmCommand, LongitudeLetterFollowsTheSignNotTheZone) {
    // East of Greenwich in zone 30 and west of it in zone 31 are shown as they are.
    FakeUtmWindow east;
    east.text1 = {"5000000", "800000", "30"};
    RunUtmCommand(east, kEnglish);
    EXPECT_EQ(east.longitude[3], "E");
    FakeUtmWindow west;
    west.text1 = {"5000000", "200000", "31"};
    RunUtmCommand(west, kEnglish);
    EXPECT_EQ(west.longitude[3], "W");
    EXPECT_EQ(west.longitude[0], "0");
}

// WGS 84 and GRS 80 share their equatorial radius and differ in the polar one by 0.1 mm, which
// moves a point near a rounding point of the seconds: each conversion must use its own ellipsoid
// whatever the one before it used.
TEST(UtmCommand, EllipsoidsSharingARadiusKeepTheirOwnDigits) {
    FakeUtmWindow window;
    window.text1 = {"4986729.50", "782326.19", "21"};
    for (const auto& [combo3, seconds] : {std::pair{0, "40.25"}, {2, "40.26"}, {0, "40.25"}}) {
        window.combo3 = combo3;
        RunUtmCommand(window, kEnglish);
        EXPECT_EQ(window.latitude[2], seconds) << "list position " << combo3;
    }
}

TEST(UtmCommand, AFailedConversionLeavesNoPartialResult) {
    const std::pair<std::array<const char*, 3>, int> cases[] = {
        {{"9e999", "402336.0", "38"}, 0},           // northing too large to read
        {{"1755352.105", "402336.0", "&H8000"}, 0}, // zone -32768: 6 * zone leaves 16 bits
        {{"1755352.105", "402336.0", "32768"}, 0},  // zone outside 16 bits
        {{"1755352.105", "402336.0", "5462"}, 0},   // central meridian outside 16 bits
        {{"1755352.105", "402336.0", "38"}, -1},    // no datum selected
        {{"1755352.105", "3.3e9", "38"}, 0},        // square index outside 16 bits
    };
    for (const auto& [input, combo3] : cases) {
        SCOPED_TRACE(std::string(input[0]) + " " + input[1] + " " + input[2]);
        FakeUtmWindow window;
        RunUtmCommand(window, kEnglish); // a good conversion first
        window.text1 = {input[0], input[1], input[2]};
        window.combo3 = combo3;
        RunUtmCommand(window, kEnglish);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(window.latitude[i], "");
            EXPECT_EQ(window.longitude[i], "");
        }
        EXPECT_EQ(window.txtM, "Error");
    }
}

TEST(UtmCommand, TheOutputFrameAppearsOnlyOnceTheInputsAreRead) {
    FakeUtmWindow unreadable;
    unreadable.text1 = {"9e999", "", ""};
    RunUtmCommand(unreadable, kEnglish);
    EXPECT_FALSE(unreadable.frame2Visible);
    FakeUtmWindow noDatum;
    noDatum.combo3 = -1;
    RunUtmCommand(noDatum, kEnglish);
    EXPECT_TRUE(noDatum.frame2Visible);
}

// The Lat/Long window's grouped results, as it shows them with German settings, give the same
// position as the same numbers written with a point.
TEST(UtmCommand, ReadsTheRegionalForms) {
    const RegionalSeparators german{".", ","};
    const std::array<const char*, 3> inputs[] = {
        {"1.755.355,43", "402.339,35", "38"},
        {"1755355.43", "402339.35", "38"},
        {"1.755.355,43", "402339.35", "38,0"},
    };
    for (const auto& input : inputs) {
        SCOPED_TRACE(std::string(input[0]) + " " + input[1] + " " + input[2]);
        FakeUtmWindow window;
        window.text1 = {input[0], input[1], input[2]};
        RunUtmCommand(window, german);
        EXPECT_EQ(window.latitude, (std::array<std::string, 4>{"15", "52", "31,11", "N"}));
        EXPECT_EQ(window.longitude, (std::array<std::string, 4>{"44", "5", "16,11", "E"}));
        EXPECT_EQ(window.txtM, "38 P   MC  02339  55355");
    }
}

TEST(UtmCommand, SecondsUseTheRegionalDecimalSeparator) {
    FakeUtmWindow window;
    window.text1 = {"8244644.57", "597660.65", "23"};
    window.combo1 = "S";
    RunUtmCommand(window, {".", ","});
    EXPECT_EQ(window.latitude[2], "31,11");
    EXPECT_EQ(window.longitude[2], "16,11");
}

} // namespace
} // namespace korvane
