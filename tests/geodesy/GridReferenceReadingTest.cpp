#include "geodesy/GridReferenceReading.hpp"

#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/GridReference.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace korvane {
namespace {

const auto N = Hemisphere::North;
const auto S = Hemisphere::South;

// Projects, writes the reference, reads it back (as written and compact) and writes it again.
void ExpectRoundTrip(double latitude, double longitude, const DatumEntry& datum) {
    const auto hemisphere = latitude < 0 ? S : N;
    const UtmCoordinate utm =
        ProjectToUtm({latitude, longitude}, hemisphere, ForwardTerms(datum)).utm;
    const std::string text(
        GridReference(utm.zone, BandLetter(latitude), utm.easting, utm.northing));
    SCOPED_TRACE(text + " on " + std::string(datum.listName));
    for (const std::string& written : {text, CompactGridReference(text)}) {
        const GridReferenceReading reading = ReadGridReference(written, InverseTerms(datum));
        ASSERT_TRUE(reading.Read()) << reading.failure;
        EXPECT_EQ(reading.utm.zone, utm.zone);
        EXPECT_EQ(reading.utm.hemisphere, hemisphere);
        EXPECT_EQ(reading.utm.easting, std::floor(utm.easting) + 0.5);
        EXPECT_EQ(reading.utm.northing, std::floor(utm.northing) + 0.5);
        EXPECT_EQ(GridReference(reading.utm.zone, BandLetter(latitude), reading.utm.easting,
                                reading.utm.northing),
                  text);
    }
}

TEST(GridReferenceReading, RoundTripsEveryZoneBandAndDatum) {
    // Every band, its edges from either side, the equator and the polar caps.
    // clang-format off
    const double latitudes[] = {
        -90, -85, -84.1, -84, -80, -79.9, -72, -71.9999, -64.0001, -64, -56, -48.5, -40,
        -32.0001, -24, -16, -8.0001, -8, -7.9999, -0.0001, 0, 0.0001, 7.9999, 8, 8.0001, 17.6,
        24, 32.5, 40, 48, 56, 63.9999, 64, 71.9999, 72, 72.0001, 80, 83.9, 83.9999, 84, 84.1, 90};
    // clang-format on
    const double offsetsFromTheCentralMeridian[] = {-2.999, -1.5, 0, 2.5, 2.999};
    for (const auto& datum : ListedDatums()) {
        for (const double latitude : latitudes) {
            for (int zone = 1; zone <= 60; ++zone) {
                for (const double offset : offsetsFromTheCentralMeridian) {
                    ExpectRoundTrip(latitude, 6.0 * zone - 183 + offset, datum);
                }
            }
            ExpectRoundTrip(latitude, 180, datum); // zone 61
        }
    }
}

struct ReadCase {
    const char* text;
    int zone;
    Hemisphere hemisphere;
    double easting;
    double northing;
    std::int16_t datumPosition = 0; // WGS 84
};

TEST(GridReferenceReading, GivesTheCentreOfTheNamedSquare) {
    // clang-format off
    const ReadCase cases[] = {
        // References this program writes on WGS 84.
        {"38 P   MC  02339  55355", 38, N, 402339.5, 1755355.5},
        {"23 L   NC  97660  44644", 23, S, 597660.5, 8244644.5},
        {"56 H   LH  34416  51925", 56, S, 334416.5, 6251925.5},
        {"18 T   WL  84482  05935", 18, N, 584482.5, 4505935.5},
        {"31 N   AA  66021  00000", 31, N, 166021.5, 0.5},
        {"32 C   NS  19384  18247", 32, S, 519384.5, 1118247.5},  // 80 S
        {"32 A   NL  09730  60182", 32, S, 509730.5, 560182.5},   // 85 S
        {"32 Z   NU  11669  28195", 32, N, 511669.5, 9328195.5},  // 84 N
        {"31 Z   EV  00000  97964", 31, N, 500000.5, 9997964.5},  // 90 N
        {"61 N   EA  00000  00000", 61, N, 500000.5, 0.5},
        {"1 Q   EV  00000  00000", 1, N, 500000.5, 1900000.5},     // row index 0 written as V
        // Squares at the poles, where the inverse series off the central meridian gives no
        // usable latitude: the pole on Bessel 1841 lies 0.01 m short of the centre.
        {"31 Z   EV  00000  96855", 31, N, 500000.5, 9996855.5, 12},
        {"31ZEV19", 31, N, 515000, 9995000},
        {"31AEA10", 31, S, 515000, 5000},
        // Other spellings of the same reference.
        {"38PMC0233955355", 38, N, 402339.5, 1755355.5},
        {"  38pmc 02339 55355 ", 38, N, 402339.5, 1755355.5},
        {"38P MC02339 55355", 38, N, 402339.5, 1755355.5},
        {"01 N EA 00000 00000", 1, N, 500000.5, 0.5},
        // Fewer digits name larger squares.
        {"38PMC0255", 38, N, 402500, 1755500},
        {"38PMC023553", 38, N, 402350, 1755350},
        {"38 P MC 0 5", 38, N, 405000, 1755000},
        {"38PMC", 38, N, 450000, 1750000},
        // Its centre is below 8 N, in band N, and still read in band P.
        {"31PEJ", 31, N, 550000, 850000},
        {"31NEJ", 31, N, 550000, 850000},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const GridReferenceReading reading =
            ReadGridReference(c.text, InverseTerms(DatumForListPosition(c.datumPosition)));
        ASSERT_TRUE(reading.Read()) << reading.failure;
        EXPECT_EQ(reading.utm.zone, c.zone);
        EXPECT_EQ(reading.utm.hemisphere, c.hemisphere);
        EXPECT_EQ(reading.utm.easting, c.easting);
        EXPECT_EQ(reading.utm.northing, c.northing);
    }
}

TEST(GridReferenceReading, NamesWhatIsWrong) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"", "the grid reference is empty"},
        {"   ", "the grid reference is empty"},
        {"+38PMC0233955355", "\"+38PMC0233955355\" does not start with a zone number"},
        {"0PMC", "zone 0 is outside 1 to 61"},
        {"62 N AA", "zone 62 is outside 1 to 61"},
        {"038PMC", "zone \"038\" has more than two digits"},
        {"38", "\"38\" ends before the band letter"},
        {"38I MC 02339 55355", "band letter \"I\" is not one of"},
        {"38 o MC", "band letter \"o\" is not one of"},
        {"38BMC", "band letter \"B\" is not one of"},
        {"38YMC", "band letter \"Y\" is not one of"},
        {"38P", "\"38P\" ends before the column letter"},
        {"38PM", "\"38PM\" ends before the row letter"},
        {"38PAC0233955355", "column letter \"A\" is not used in zone 38"},
        {"38PSC0233955355", "column letter \"S\" is not used in zone 38"},
        {"61PJC", "column letter \"J\" is not used in zone 61"},
        {"38PIC", "column letter \"I\" is not one of A to Z without I and O"},
        {"38PMW0233955355", "row letter \"W\" is not one of A to V without I and O"},
        {"38PML", "row letter \"L\" does not reach band \"P\" in zone 38"},
        {"38 P MC 0233 55355", "\"38 P MC 0233 55355\" has 4 easting digits and 5 northing digits"},
        {"38 P MC 023395 553551", "has 6 digits in each group, more than 5"},
        {"38PMC023395535", "has 9 digits, which do not split into easting and northing"},
        {"38PMC02339553551", "has 11 digits, more than 10"},
        {"38 P MC 02 33 95", "has more than two groups of digits"},
        {"38PMC -02339 55355", "unexpected \"-02339 55355\" after the square letters"},
        {"38PMC0233955355 north", "unexpected \"north\" after the digits"},
        {"38PMC02339,55355", "unexpected \",55355\" after the digits"},
        {"38PM\xC3\x87" "0233955355", "character 5 of the grid reference is not a letter, digit or blank"},
        {"38\tPMC", "character 3 of the grid reference is not a letter, digit or blank"},
    };
    // clang-format on
    for (const auto& [text, fragment] : cases) {
        SCOPED_TRACE(text);
        const GridReferenceReading reading =
            ReadGridReference(text, InverseTerms(DatumForListPosition(0)));
        EXPECT_FALSE(reading.Read());
        EXPECT_NE(reading.failure.find(fragment), std::string::npos) << reading.failure;
        EXPECT_TRUE(std::all_of(reading.failure.begin(), reading.failure.end(), [](char c) {
            return c >= 0x20 && c <= 0x7E;
        })) << reading.failure;
    }
}

TEST(GridReferenceReading, QuotesOnlyTheStartOfALongText) {
    const std::string text = "38PMC 02339 55355 " + std::string(1000, 'x');
    const GridReferenceReading reading =
        ReadGridReference(text, InverseTerms(DatumForListPosition(0)));
    EXPECT_EQ(reading.failure, "unexpected \"" + std::string(40, 'x') + "...\" after the digits");
}

TEST(GridReferenceReading, AnEmptyDatumFailsAsTheInverseDoes) {
    EXPECT_THROW(ReadGridReference("38PMC", InverseTerms(StandardDatumTable()[0])),
                 FloatingPointFailure);
}

} // namespace
} // namespace korvane
