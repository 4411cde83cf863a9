#include "commands/LatLongCommand.hpp"

#include "support/FakeLatLongWindow.hpp"

#include <array>
#include <gtest/gtest.h>

namespace korvane {
namespace {

const RegionalSeparators kEnglish{",", "."};

struct Case {
    const char* name;
    std::array<const char*, 3> latitude;
    const char* combo1;
    std::array<const char*, 3> longitude;
    const char* combo2;
    const char* text1;
    const char* text2;
    const char* labZ;
    const char* labZm;
    const char* txtM;
};

TEST(LatLongCommand, ConvertsOnWgs84) {
    // clang-format off
    const Case cases[] = {
        {"default input", {"15", "52", "31.11"}, "N", {"44", "5", "16.11"}, "E", "1,755,355.43", "402,339.35", "Zone  38 P", "Zone CM   45", "38 P   MC  02339  55355"},
        {"south and west", {"15", "52", "31.11"}, "S", {"44", "5", "16.11"}, "W", "8,244,644.57", "597,660.65", "Zone  23 L", "Zone CM   -45", "23 L   NC  97660  44644"},
        {"all empty", {"", "", ""}, "N", {"", "", ""}, "E", ".", "166,021.55", "Zone  31 N", "Zone CM   3", "31 N   AA  66021  00000"},
        {"45 N 3 E", {"45", "", ""}, "N", {"3", "", ""}, "E", "4,982,950.4", "500,000.", "Zone  31 T", "Zone CM   3", "31 T   EK  00000  82950"},
        {"0 S 0 E", {"0", "0", "0"}, "S", {"0", "0", "0"}, "E", "10,000,000.", "166,021.55", "Zone  31 N", "Zone CM   3", "31 N   AA  66021  00000"},
        {"180 E", {"0", "", ""}, "N", {"180", "", ""}, "E", ".", "166,021.55", "Zone  61 N", "Zone CM   183", "61 N   AA  66021  00000"},
        {"180 W", {"0", "", ""}, "N", {"180", "", ""}, "W", ".", "166,021.55", "Zone  1 N", "Zone CM   -177", "1 N   AA  66021  00000"},
        {"minutes beyond 60", {"10", "90", ""}, "N", {"3", "", ""}, "E", "1,271,265.59", "500,000.", "Zone  31 P", "Zone CM   3", "31 P   EN  00000  71265"},
        {"lower-case s is north", {"15", "52", "31.11"}, "s", {"44", "5", "16.11"}, "w", "1,755,355.43", "402,339.35", "Zone  38 P", "Zone CM   45", "38 P   MC  02339  55355"},
        {"72 N is band X", {"72", "", ""}, "N", {"10", "", ""}, "E", "7,989,218.75", "534,489.02", "Zone  32 X", "Zone CM   9", "32 X   NE  34489  89218"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLatLongWindow window;
        window.latitude = {c.latitude[0], c.latitude[1], c.latitude[2]};
        window.longitude = {c.longitude[0], c.longitude[1], c.longitude[2]};
        window.combo1 = c.combo1;
        window.combo2 = c.combo2;
        RunLatLongCommand(window, kEnglish);
        EXPECT_TRUE(window.frame1Visible);
        EXPECT_EQ(window.text1, c.text1);
        EXPECT_EQ(window.text2, c.text2);
        EXPECT_EQ(window.labZ, c.labZ);
        EXPECT_EQ(window.labZm, c.labZm);
        EXPECT_EQ(window.txtM, c.txtM);
    }
}

TEST(LatLongCommand, OutOfRangeInputShowsErrorAndKeepsTheOtherOutputs) {
    const std::pair<std::array<const char*, 3>, std::array<const char*, 3>> cases[] = {
        {{"90", "0", "1"}, {"44", "5", "16.11"}},        // just over 90
        {{"15", "52", "31.11"}, {"181", "", ""}},        // over 180
        {{"-5", "0", "0"}, {"44", "5", "16.11"}},        // the sign belongs to the list
        {{"15", "-953", ""}, {"44", "5", "16.11"}},      // a negative part counts as negative
        {{"15", "52", "9e999"}, {"44", "5", "16.11"}},   // too large to read: not seconds 0
        {{"15", "52", "31.11"}, {"1e308", "1e308", ""}}, // the sum overflows
    };
    for (const auto& [latitude, longitude] : cases) {
        SCOPED_TRACE(std::string(latitude[0]) + " " + latitude[1] + " " + latitude[2] + " / " +
                     longitude[0] + " " + longitude[1]);
        FakeLatLongWindow window;
        RunLatLongCommand(window, kEnglish); // a good conversion first
        window.latitude = {latitude[0], latitude[1], latitude[2]};
        window.longitude = {longitude[0], longitude[1], longitude[2]};
        RunLatLongCommand(window, kEnglish);
        EXPECT_TRUE(window.frame1Visible);
        EXPECT_EQ(window.text1, "Error");
        EXPECT_EQ(window.text2, "Error");
        EXPECT_EQ(window.labZ, "Zone  38 P");
        EXPECT_EQ(window.labZm, "Zone CM   45");
        EXPECT_EQ(window.txtM, "38 P   MC  02339  55355");
    }
}

TEST(LatLongCommand, FailingArithmeticShowsErrorNotAFalseResult) {
    for (int position : {-1, 14, 40000}) {
        FakeLatLongWindow window;
        window.combo3 = position; // no datum selected, or one beyond the list
        RunLatLongCommand(window, kEnglish);
        EXPECT_EQ(window.text1, "Error") << position;
        EXPECT_EQ(window.text2, "Error") << position;
        EXPECT_EQ(window.labZ, "----") << position;
        EXPECT_EQ(window.txtM, "") << position;
    }
}

TEST(LatLongCommand, DatumChoiceReachesTheProjection) {
    FakeLatLongWindow wgs84;
    FakeLatLongWindow nad83;
    nad83.combo3 = 1;
    FakeLatLongWindow everest;
    everest.combo3 = 13;
    for (auto* window : {&wgs84, &nad83, &everest}) {
        RunLatLongCommand(*window, kEnglish);
    }
    EXPECT_EQ(nad83.text1, wgs84.text1);
    EXPECT_EQ(nad83.text2, wgs84.text2);
    EXPECT_NE(everest.text1, wgs84.text1);
}

// WGS 84 and GRS 80 share their equatorial radius and differ in the polar one by 0.1 mm, which
// moves this point across a rounding point of the northing: each conversion must use its own
// ellipsoid whatever the one before it used.
TEST(LatLongCommand, EllipsoidsSharingARadiusKeepTheirOwnDigits) {
    FakeLatLongWindow window;
    window.latitude = {"25", "46", "24.4326948"};
    window.combo1 = "S";
    window.longitude = {"134", "32", "14.51141016"};
    window.combo2 = "W";
    for (const auto& [combo3, northing] :
         {std::pair{0, "7,149,322.92"}, {2, "7,149,322.93"}, {0, "7,149,322.92"}}) {
        window.combo3 = combo3;
        RunLatLongCommand(window, kEnglish);
        EXPECT_EQ(window.text1, northing) << "list position " << combo3;
    }
}

TEST(LatLongCommand, UsesTheRegionalSeparators) {
    FakeLatLongWindow window;
    RunLatLongCommand(window, {".", ","});
    EXPECT_EQ(window.text1, "1.755.355,43");
    EXPECT_EQ(window.text2, "402.339,35");
}

// Seconds typed with the regional decimal comma convert as with a point; the design values'
// point is read as it always was.
TEST(LatLongCommand, ReadsTheRegionalDecimalSeparator) {
    const std::pair<const char*, const char*> seconds[] = {
        {"31,11", "16,11"}, {"31.11", "16.11"}, {" 31 ,11", "16,11 "}};
    for (const auto& [latitude, longitude] : seconds) {
        SCOPED_TRACE(std::string(latitude) + " " + longitude);
        FakeLatLongWindow window;
        window.latitude[2] = latitude;
        window.longitude[2] = longitude;
        RunLatLongCommand(window, {".", ","});
        EXPECT_EQ(window.text1, "1.755.355,43");
        EXPECT_EQ(window.text2, "402.339,35");
        EXPECT_EQ(window.txtM, "38 P   MC  02339  55355");
    }
    // With English settings the comma still ends the number, as it always has: 31 seconds.
    FakeLatLongWindow english;
    english.latitude[2] = "31,11";
    RunLatLongCommand(english, kEnglish);
    EXPECT_EQ(english.text1, "1,755,352.05");
}

} // namespace
} // namespace korvane
