#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/MgrsReading.hpp"
#include "geodesy/MgrsReference.hpp"
#include "support/StandardWgs84.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace korvane {
namespace {

const auto N = Hemisphere::North;
const auto S = Hemisphere::South;
const auto AA = MgrsLettering::AA;
const auto AL = MgrsLettering::AL;

std::string Reference(double latitude, double longitude, int precision) {
    const UtmUpsPosition grid = UtmUpsForward({latitude, longitude}, StandardWgs84());
    return std::string(MgrsReference(grid, latitude, precision, AA));
}

// GeoConvert's references (GeographicLib 2.1.2, WGS 84) at 1 m.
TEST(MgrsReference, WritesTheStandardReference) {
    // clang-format off
    const struct { double latitude, longitude; const char* text; } cases[] = {
        {40.7128, -74.0060, "18TWL8395907350"},   // northing 4507350.998: truncated, not 07351
        {60.5, 5, "32VKN8035613774"},             // Norway's widened 32V
        {56, 3, "32VJH2604922336"},
        {55.9999, 3, "31UEC0000006068"},          // easting exactly 500000: 00000
        {63.9999, 2.9999, "31VDL9999597003"},
        {64, 3, "31WEL0000097014"},
        {78, 8.9999, "31XFG3902465496"},          // Svalbard's 31X and 33X
        {78, 9, "33XUG6097365496"},
        {72, 0, "31XCV9656691508"},               // band X from 72 N ...
        {71.9999, 5, "31WEV6896990066"},
        {83.9999, 40, "37XEP1166928183"},         // ... to 84 N, twelve degrees
        {84, 40, "ZGB2856489256"},                // UPS from 84 N
        {-80, 10, "32CNS1938418247"},             // UTM down to 80 S
        {-80.0001, 10, "BBY9325996031"},
        {85, -30, "YXC2227118959"},               // the four UPS bands
        {-85, 30, "BCS7772881040"},
        {90, 0, "ZAH0000000000"},
        {-90, 0, "BAN0000000000"},
        {0, 0, "31NAA6602100000"},
        {0, 180, "01NAA6602100000"},              // two zone digits
        {21.3, -157.9, "04QFJ1409655747"},
        {-33.86, 151.21, "56HLH3441651925"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(Reference(c.latitude, c.longitude, 5), c.text)
            << c.latitude << ", " << c.longitude;
    }
}

TEST(MgrsReference, TruncatesAtEveryPrecision) {
    const char* const texts[] = {"18TWL",       "18TWL80",       "18TWL8307",
                                 "18TWL839073", "18TWL83950735", "18TWL8395907350"};
    for (int precision = 0; precision <= kMostMgrsPrecision; ++precision) {
        EXPECT_EQ(Reference(40.7128, -74.0060, precision), texts[precision]);
    }
}

// Coordinates on and next to digits' edges, planted: a hair below a whole metre by a double's
// binary form stays on it, a millimetre below does not, and the lettered ranges' upper edges
// move a micrometre inside.
TEST(MgrsReference, KeepsEdgesWhereTheyAre) {
    // clang-format off
    const struct { UtmUpsPosition grid; double latitude; const char* text; } cases[] = {
        {{31, N, 500000, 4507351}, 40.7, "31TEF0000007351"},
        {{31, N, 499999.99999999994, 4507350.9999999995}, 40.7, "31TEF0000007351"},
        {{31, N, 499999.999, 4507350.999}, 40.7, "31TDF9999907350"},
        {{31, N, 0.3 * 3 + 499999.1, 0.1 + 0.2 + 4507350.7}, 40.7, "31TEF0000007351"},
        {{31, N, 900000, 9500000}, 83, "31XHQ9999999999"},
        {{31, N, 100000, 0}, 0, "31NAA0000000000"},
        {{31, S, 500000, 10000000}, 0, "31NEA0000000000"},     // on the equator: north
        {{31, N, 500000, -0.0000001}, -1e-15, "31NEA0000000000"}, // a hair south: still on it
        {{31, N, 500000, -0.001}, -1e-8, "31MEV0000099999"},     // north's northing below the equator
        {{31, S, 500000, 10000000.001}, 1e-8, "31NEA0000000000"}, // south's above it
        {{kUpsZone, N, 2700000, 2700000}, 88, "ZJP9999999999"},
        {{kUpsZone, S, 800000, 800000}, -82, "AJA0000000000"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(MgrsReference(c.grid, c.latitude, 5, AA), c.text)
            << c.grid.easting << ", " << c.grid.northing;
    }
}

TEST(MgrsReference, RefusesPositionsOutsideTheLetters) {
    // clang-format off
    const struct { UtmUpsPosition grid; double latitude; int precision; const char* failure; } cases[] = {
        {{31, N, 500000, 0}, 0, 6, "precision 6 is outside 0 to 5"},
        {{31, N, 500000, 0}, 0, -1, "precision -1 is outside 0 to 5"},
        {{61, N, 500000, 0}, 0, 5, "zone 61 is outside 1 to 60 and 0 for UPS"},
        {{31, N, 99999.9, 0}, 0, 5, "easting 99999.9 m is outside the MGRS range of UTM, 100 to 900 km"},
        {{31, N, 900000.001, 0}, 0, 5, "easting 900000.001 m is outside the MGRS range of UTM"},
        {{31, N, 500000, 9500000.5}, 84, 5, "northing 9500000.5 m is outside the MGRS range of UTM in the north, 0 to 9500 km"},
        {{31, S, 500000, 999999}, -81, 5, "northing 999999 m is outside the MGRS range of UTM in the south, 1000 to 10000 km"},
        {{kUpsZone, N, 1299999, 2000000}, 85, 5, "easting 1299999 m is outside the MGRS range of UPS in the north, 1300 to 2700 km"},
        {{kUpsZone, S, 2000000, 3200000.5}, -85, 5, "northing 3200000.5 m is outside the MGRS range of UPS in the south, 800 to 3200 km"},
        {{31, N, 500000, 1e9}, 0, 5, "northing 1000000000 m lies in no MGRS square"},
        {{31, N, NAN, 0}, 0, 5, "easting nan m lies in no MGRS square"},
        {{31, N, 500000, 100}, -5, 5, "latitude -5 lies south of the equator, the northing north of it"},
        {{31, N, 500000, 100}, 95, 5, "latitude 95 is outside -90 to 90"},
    };
    // clang-format on
    for (const auto& c : cases) {
        try {
            MgrsReference(c.grid, c.latitude, c.precision, AA);
            ADD_FAILURE() << "no failure for " << c.failure;
        } catch (const InvalidArgumentFailure& failure) {
            EXPECT_NE(std::string(failure.what()).find(c.failure), std::string::npos)
                << failure.what();
        }
    }
}

// The older lettering moves the rows ten letters on. The positions are GeographicLib's
// TransverseMercator on each ellipsoid; the AA letters are as MGRS would give them there.
TEST(MgrsReference, LettersRowsInBothSchemes) {
    // clang-format off
    const struct { const char* datum; double latitude, longitude; const char* aa; const char* al; } cases[] = {
        {"Clarke 1866", 40.7128, -74.0060, "18TWL8396107139", "18TWA8396107139"},
        {"North American 1927", -33.86, 151.21, "56HLH3441252119", "56HLT3441252119"},
        {"Bessel 1841", 52.52, 13.405, "33UUU9179219472", "33UUJ9179219472"},
        {"Clarke 1880", -1.2921, 36.8219, "37MBU5763057093", "37MBJ5763057093"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const DatumEntry& datum =
            DatumForListPosition(static_cast<std::int16_t>(*ListPositionOf(c.datum)));
        const UtmUpsTerms terms(EllipsoidShape(datum.a, datum.b));
        const UtmUpsPosition grid = UtmUpsForward({c.latitude, c.longitude}, terms);
        EXPECT_EQ(MgrsReference(grid, c.latitude, 5, AA), c.aa);
        EXPECT_EQ(MgrsReference(grid, c.latitude, 5, AL), c.al);
        EXPECT_EQ(LetteringForDatum(c.datum), AL);
        for (const auto& [text, lettering] : {std::pair{c.aa, AA}, std::pair{c.al, AL}}) {
            const MgrsReading reading = ReadMgrs(text, terms, lettering);
            ASSERT_TRUE(reading.Read()) << text << ": " << reading.failure;
            EXPECT_EQ(reading.position.easting, std::floor(grid.easting) + 0.5) << text;
            EXPECT_EQ(reading.position.northing, std::floor(grid.northing) + 0.5) << text;
        }
    }
    for (const char* modern : {"WGS 84", "NAD 83", "GRS 80", "International 1924", "Airy 1830"}) {
        EXPECT_EQ(LetteringForDatum(modern), AA) << modern;
    }
}

TEST(MgrsReading, GivesTheCentreOfTheSquare) {
    // clang-format off
    const struct { const char* text; int zone; Hemisphere hemisphere; double easting, northing; int precision; } cases[] = {
        {"18TWL8395907350", 18, N, 583959.5, 4507350.5, 5},
        {"18twl 83959 07350", 18, N, 583959.5, 4507350.5, 5},
        {" 18 T WL 8395907350 ", 18, N, 583959.5, 4507350.5, 5},
        {"18TWL", 18, N, 550000, 4550000, 0},
        {"18TWL80", 18, N, 585000, 4505000, 1},
        {"18TWL8307", 18, N, 583500, 4507500, 2},
        {"18TWL839073", 18, N, 583950, 4507350, 3},
        {"18TWL83950735", 18, N, 583955, 4507355, 4},
        {"4QFJ1409655747", 4, N, 614096.5, 2355747.5, 5},
        {"32VKN8035613774", 32, N, 280356.5, 6713774.5, 5},   // Norway's 32V, west of 6 E
        {"32VJH2604922336", 32, N, 126049.5, 6222336.5, 5},
        {"31XFG3902465496", 31, N, 639024.5, 8665496.5, 5},
        {"56HLH3441651925", 56, S, 334416.5, 6251925.5, 5},
        {"32CNS1938418247", 32, S, 519384.5, 1118247.5, 5},
        {"ZGB2856489256", kUpsZone, N, 2428564.5, 1489256.5, 5},
        {"YXC2227118959", kUpsZone, N, 1722271.5, 1518959.5, 5},
        {"BCS7772881040", kUpsZone, S, 2277728.5, 2481040.5, 5},
        {"AJA", kUpsZone, S, 850000, 850000, 0},
        {"38MPE", 38, S, 650000, 9950000, 0},                  // across the equator's edge: M
        {"38NPF", 38, N, 650000, 50000, 0},                    // and N
        {"38VLS", 38, N, 350000, 7150000, 0},                  // a square across 64 N takes V
        {"38WLS", 38, N, 350000, 7150000, 0},                  // and W
        {"31NAA6602100000000000000000", 31, N, 166021.0000005, 0.0000005, 11},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const MgrsReading reading = ReadMgrs(c.text, StandardWgs84(), AA);
        ASSERT_TRUE(reading.Read()) << reading.failure;
        EXPECT_EQ(reading.position.zone, c.zone);
        EXPECT_EQ(reading.position.hemisphere, c.hemisphere);
        EXPECT_DOUBLE_EQ(reading.position.easting, c.easting);
        EXPECT_DOUBLE_EQ(reading.position.northing, c.northing);
        EXPECT_EQ(reading.precision, c.precision);
    }
}

TEST(MgrsReading, SaysWhatIsWrong) {
    // clang-format off
    const struct { const char* text; const char* failure; } cases[] = {
        {"", "the reference is empty"},
        {"18TWL\t83959", "character 6 of the reference is not a letter, digit or blank"},
        {"123TWL", "zone \"123\" has more than two digits"},
        {"61NAA", "zone 61 is outside 1 to 60"},
        {"0NAA", "zone 0 is outside 1 to 60"},
        {"18", "the reference \"18\" ends before the band letter"},
        {"18IWL", "band letter \"I\" is not one of C to X without I and O"},
        {"18ZWL", "band letter \"Z\" is a UPS band, which takes no zone number"},
        {"TWL", "band letter \"T\" needs a zone number before it"},
        {"OAB", "starts with neither a zone number nor a UPS band letter A, B, Y or Z"},
        {"18TW", "the reference \"18TW\" ends before the row letter"},
        {"18TAL", "column letter \"A\" is not used in zone 18, whose columns are S to Z without I and O"},
        {"18TWW", "row letter \"W\" is not one of A to V without I and O"},
        {"YAB", "column letter \"A\" is not used in UPS band \"Y\", whose columns are R, S, T, U, X, Y and Z"},
        {"ZAQ", "row letter \"Q\" is not used in UPS band \"Z\", whose rows are A to P"},
        {"18TWL123", "has 3 digits, which do not split into easting and northing"},
        {"18TWL 12 345", "has 2 easting digits and 3 northing digits"},
        {"18TWL 123456789012 123456789012", "has 12 digits for each coordinate, more than 11"},
        {"18TWL 12 34 56", "unexpected \"56\" after the digits"},
        {"18TWL-1234", "unexpected \"-1234\" after the square letters"},
        {"38NPE", "the square \"38NPE\" lies beyond the lettered rows of band N, 0 N to 8 N"},
        {"38MPF", "the square \"38MPF\" lies beyond the lettered rows of band M, 8 S to 0 S"},
        {"38VMS", "the square \"38VMS\" lies outside band V, 56 N to 64 N"},
        {"18SWL8395907350", "the square \"18SWL8395907350\" lies outside band S, 32 N to 40 N"},
        {"31XEQ", "the square \"31XEQ\" lies outside band X, 72 N to 84 N"}, // beyond 84 N
        {"31CEK", "the square \"31CEK\" lies beyond the lettered rows of band C, 80 S to 72 S"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const MgrsReading reading = ReadMgrs(c.text, StandardWgs84(), AA);
        EXPECT_FALSE(reading.Read()) << c.text;
        EXPECT_NE(reading.failure.find(c.failure), std::string::npos)
            << c.text << ": " << reading.failure;
    }
}

// Written at every precision, read back to the centre of the square written, also a square
// across a band's edge at a low precision: over every zone and band, the exceptions, the caps,
// on every ellipsoid in its lettering.
TEST(MgrsReading, ReadsBackWhatIsWritten) {
    // clang-format off
    const double latitudes[] = {-90, -85, -80.0001, -80, -72, -64.0001, -56, -40, -8.0001, -8, -0.0001, 0,
                                7.9999, 8, 32, 55.9999, 56, 63.9999, 64, 71.9999, 72, 80, 83.9999, 84, 88, 90};
    // clang-format on
    for (const auto& datum : ListedDatums()) {
        const UtmUpsTerms terms(EllipsoidShape(datum.a, datum.b));
        const MgrsLettering lettering = LetteringForDatum(datum.listName);
        for (const double latitude : latitudes) {
            for (double longitude = -180; longitude < 180; longitude += 7.25) {
                const UtmUpsPosition grid = UtmUpsForward({latitude, longitude}, terms);
                for (int precision = 0; precision <= kMostMgrsPrecision; ++precision) {
                    const std::string text(MgrsReference(grid, latitude, precision, lettering));
                    const MgrsReading reading = ReadMgrs(text, terms, lettering);
                    ASSERT_TRUE(reading.Read())
                        << datum.listName << " " << text << ": " << reading.failure;
                    const double side = std::pow(10.0, 5 - precision);
                    EXPECT_EQ(reading.position.zone, grid.zone) << text;
                    EXPECT_LE(std::fabs(reading.position.easting - grid.easting), side / 2) << text;
                    const double shift = reading.position.hemisphere == grid.hemisphere ? 0
                                         : grid.hemisphere == Hemisphere::South ? kFalseNorthing
                                                                                : -kFalseNorthing;
                    EXPECT_LE(std::fabs(reading.position.northing + shift - grid.northing),
                              side / 2)
                        << text;
                }
            }
        }
    }
}

} // namespace
} // namespace korvane
