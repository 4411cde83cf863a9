#include "commands/UtmConversion.hpp"

#include "commands/AngleBoxes.hpp"
#include "commands/NumberText.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/InverseSeries.hpp"

#include <charconv>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace korvane {
namespace {

std::string Text(double value) {
    char buffer[64];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

// What the front ends make of a conversion: the boxes, the nine-decimal degrees, the grid
// reference and the band check's verdict on the neighbouring bands.
std::string Shown(const UtmConversion& c, std::string_view letter) {
    std::string shown;
    for (const auto& boxes : {LatitudeBoxes(c, letter, "."), LongitudeBoxes(c, ".")}) {
        for (const std::string& box : boxes) {
            shown += box + " ";
        }
    }
    const double latitude = c.position.latitude;
    shown += NineDecimalDegrees(latitude) + " " + NineDecimalDegrees(c.position.longitude) + " " +
             std::string(c.gridReference);
    for (const double edge : {-kBandEdgeTolerance, kBandEdgeTolerance}) {
        shown += " " + std::string(BandLetter(latitude + edge));
    }
    return shown;
}

// The conversion as the window, the batch converter and the Python module run it, and the same
// with the position of the library's arithmetic put in.
void ExpectTheLibrarysTexts(const UtmCoordinate& utm, const InverseTerms& terms) {
    const std::string northing = Text(utm.northing);
    const std::string easting = Text(utm.easting);
    const std::string zone = std::to_string(utm.zone);
    const std::string_view letter = utm.hemisphere == Hemisphere::South ? "S" : "N";
    const UtmConversion converted = ConvertUtm({northing, easting, zone, letter}, terms);
    ASSERT_TRUE(converted.Converted()) << converted.failure;
    UtmConversion library = converted;
    library.position = ProjectFromUtm(converted.utm, terms);
    library.gridReference =
        GridReference(utm.zone, BandLetter(library.position.latitude), utm.easting, utm.northing);
    ASSERT_EQ(Shown(converted, letter), Shown(library, letter))
        << northing << " " << easting << " " << zone << " " << letter;
}

// The library's latitude or longitude as the northing or the easting moves.
double Degrees(UtmCoordinate utm, const InverseTerms& terms, bool latitude, double metres) {
    (latitude ? utm.northing : utm.easting) = metres;
    const GeodeticPosition p = ProjectFromUtm(utm, terms);
    return latitude ? p.latitude : p.longitude;
}

// The northing or easting moved until the library's latitude or longitude lands within a few
// units in its last place of target.
UtmCoordinate Towards(UtmCoordinate utm, const InverseTerms& terms, bool latitude, double target) {
    double& metres = latitude ? utm.northing : utm.easting;
    for (int step = 0; step < 6; ++step) {
        const double here = Degrees(utm, terms, latitude, metres);
        const double slope = (Degrees(utm, terms, latitude, metres + 1) - here) / 1;
        metres += (target - here) / slope;
    }
    return utm;
}

// Where a text or a decision made from a latitude or a longitude turns, near the value.
using TurningPoint = std::function<double(double degrees)>;

double Hundredth(double degrees) { // of a second, halfway
    const double seconds = degrees * 3600;
    return (std::floor(seconds * 100) + 0.5) / 100 / 3600;
}
double NinthDecimal(double degrees) { // halfway
    return (std::floor(degrees * 1e9) + 0.5) / 1e9;
}
double BandEdge(double degrees) { // where the band letter turns
    return 8 * std::floor(degrees / 8);
}
double BandCheckEdgeAbove(double degrees) { // the band check's tolerance above the edge
    return BandEdge(degrees) + kBandEdgeTolerance;
}
double BandCheckEdgeBelow(double degrees) {
    return BandEdge(degrees) - kBandEdgeTolerance;
}

// Next to every point where a text turns, the quick position is either kept out or gives the
// library's texts; random points give them too.
TEST(ConvertUtm, GivesTheLibrarysTextsNextToEveryTurningPoint) {
    std::mt19937_64 engine(11);
    std::uniform_real_distribution<double> northing(100000, 9300000);
    std::uniform_real_distribution<double> easting(100000, 900000);
    // clang-format off
    const std::pair<bool, TurningPoint> kinds[] = {
        {true, Hundredth}, {false, Hundredth}, {true, NinthDecimal}, {false, NinthDecimal},
        {true, BandEdge}, {true, BandCheckEdgeAbove}, {true, BandCheckEdgeBelow},
    };
    // clang-format on
    int reached = 0;
    for (const auto& datum : ListedDatums()) {
        const InverseTerms terms(datum);
        for (int i = 0; i < 3000; ++i) {
            const bool south = i % 2 == 1;
            UtmCoordinate utm{static_cast<std::int16_t>(1 + i % 60),
                              south ? Hemisphere::South : Hemisphere::North, easting(engine),
                              northing(engine)};
            ExpectTheLibrarysTexts(utm, terms);
            const auto& [latitude, turning] = kinds[static_cast<std::size_t>(i) % std::size(kinds)];
            const double start =
                Degrees(utm, terms, latitude, latitude ? utm.northing : utm.easting);
            const double target = turning(start);
            const UtmCoordinate planted = Towards(utm, terms, latitude, target);
            const double landed =
                Degrees(planted, terms, latitude, latitude ? planted.northing : planted.easting);
            reached += std::fabs(landed - target) < kQuickInverseDrift / 100 ? 1 : 0;
            ExpectTheLibrarysTexts(planted, terms);
        }
    }
    // The planting must really reach the turning points, or the test proves nothing.
    EXPECT_GT(reached, 3000 * static_cast<int>(ListedDatums().size()) * 9 / 10);
}

// The quick arithmetic drifts far less than the margin the conversion allows it, where it is
// used: within 450 km of the central meridian and 500 km of the poles, on every ellipsoid.
TEST(QuickProjectFromUtm, DriftsFarLessThanItsMargin) {
    std::mt19937_64 engine(12);
    std::uniform_real_distribution<double> easting(50000, 950000);
    std::uniform_real_distribution<double> fromEquator(-9500000, 9500000);
    double largest = 0;
    for (const auto& datum : ListedDatums()) {
        const InverseTerms terms(datum);
        for (int i = 0; i < 100000; ++i) {
            const bool south = i % 2 == 1;
            const double y = fromEquator(engine);
            const UtmCoordinate utm{static_cast<std::int16_t>(1 + i % 60),
                                    south ? Hemisphere::South : Hemisphere::North, easting(engine),
                                    south ? kFalseNorthing - y : y};
            const auto quick = QuickProjectFromUtm(utm, terms);
            ASSERT_TRUE(quick.has_value());
            const GeodeticPosition library = ProjectFromUtm(utm, terms);
            largest = std::max({largest, std::fabs(quick->latitude - library.latitude),
                                std::fabs(quick->longitude - library.longitude)});
        }
    }
    EXPECT_LT(largest, kQuickInverseDrift / 40);
}

// The boxes' own texts, each followed by "|".
std::string BoxesOneAfterAnother(const UtmConversion& conversion, std::string_view letter,
                                 std::string_view separator) {
    std::string texts = "before|";
    for (const auto& boxes :
         {LatitudeBoxes(conversion, letter, separator), LongitudeBoxes(conversion, separator)}) {
        for (const std::string& box : boxes) {
            texts += box + "|";
        }
    }
    return texts;
}

std::string AppendedBoxes(const UtmConversion& conversion, std::string_view letter,
                          std::string_view separator) {
    std::string appended = "before|";
    AppendLatitudeBoxes(appended, conversion, letter, separator, '|');
    AppendLongitudeBoxes(appended, conversion, separator, '|');
    return appended;
}

// A line of text gets the boxes' own texts, with any decimal separator and any letter: south of
// the equator under "N", north of it under "S", west and east, and seconds at every hundredth.
TEST(AppendBoxes, WritesTheBoxesTextsOneAfterAnother) {
    std::mt19937_64 engine(13);
    std::uniform_real_distribution<double> easting(150000, 850000);
    std::uniform_real_distribution<double> northing(0, 9300000);
    const InverseTerms terms(ListedDatums().front());
    for (int i = 0; i < 20000; ++i) {
        const std::string_view letter = i % 2 == 0 ? "N" : "S";
        const std::string_view separator = i % 3 == 0 ? "," : ".";
        const UtmConversion c = ConvertUtm(
            UtmNumbers{northing(engine), easting(engine), static_cast<double>(1 + i % 60),
                       i % 4 < 2 ? Hemisphere::North : Hemisphere::South},
            terms);
        ASSERT_TRUE(c.Converted()) << c.failure;
        ASSERT_EQ(AppendedBoxes(c, letter, separator), BoxesOneAfterAnother(c, letter, separator));
    }
}

// Positions at the edges of the boxes, with separators short and long: each written as the
// boxes' own texts are.
TEST(AppendBoxes, WritesEdgePositionsAsTheBoxesShowThem) {
    struct Case {
        double latitude;
        double longitude;
        const char* separator;
        const char* boxes; // latitude under "N", then longitude
    };
    const std::string longSeparator(20, '#');
    // clang-format off
    const Case cases[] = {
        {0,             0,              ".",  "0|0|0|N|0|0|0|E|"},
        {-0.0,          -0.0,           ".",  "0|0|0|N|0|0|0|E|"},
        {-0.5,          -0.5,           ".",  "-1|30|0|N|0|30|0|W|"}, // south of the equator
        {15.9999999,    44.9999999,     ".",  "15|59|60|N|44|59|60|E|"}, // seconds round to 60
        {15.875308338,  -44.087808327,  ",",  "15|52|31,11|N|44|5|16,11|W|"},
        {10.0002777778, 179.0001388889, "",   "10|0|1|N|179|0|05|E|"},
        {10.1,          20.2,           longSeparator.c_str(), nullptr},
        {2e9,           -3e12,          ".",  nullptr}, // degrees no box is made for
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.latitude);
        UtmConversion conversion;
        conversion.utm.hemisphere = Hemisphere::North;
        conversion.position = {c.latitude, c.longitude};
        const std::string expected = BoxesOneAfterAnother(conversion, "N", c.separator);
        if (c.boxes != nullptr) {
            EXPECT_EQ(expected, std::string("before|") + c.boxes);
        }
        EXPECT_EQ(AppendedBoxes(conversion, "N", c.separator), expected);
    }
}

} // namespace
} // namespace korvane
