#include "commands/UtmConversion.hpp"

#include "commands/AngleBoxes.hpp"
#include "commands/NumberText.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/InverseProjection.hpp"
#include "support/TurningPointSearch.hpp"

#include <charconv>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <iomanip>
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
    const std::string_view letter = utm.hemisphere == Hemisphere::South ? "S" : "N";
    const UtmConversion converted = ConvertUtm(
        UtmNumbers{utm.northing, utm.easting, static_cast<double>(utm.zone), utm.hemisphere},
        terms);
    ASSERT_TRUE(converted.Converted()) << converted.failure;
    UtmConversion library = converted;
    library.position = ProjectFromUtm(converted.utm, terms);
    library.gridReference =
        GridReference(utm.zone, BandLetter(library.position.latitude), utm.easting, utm.northing);
    ASSERT_EQ(Shown(converted, letter), Shown(library, letter))
        << Text(utm.northing) << " " << Text(utm.easting) << " " << utm.zone << " " << letter;
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

// A point of the row, near the value's size, on the value's side of 0: the row's nearest point,
// or the one eitherSide below or above that.
double PointNear(const TurningPoints& points, double value, int side) {
    const double size = points.Nearest(std::fabs(value));
    return std::copysign(points.Nearest(size + side * points.eitherSide), value);
}

// Next to points of every row of the table, the quick position is either kept out or gives the
// library's texts; random points give them too.
TEST(ConvertUtm, GivesTheLibrarysTextsNextToEveryTurningPoint) {
    std::mt19937_64 engine(11);
    std::uniform_real_distribution<double> northing(100000, 9300000);
    std::uniform_real_distribution<double> easting(100000, 900000);
    std::uniform_int_distribution<int> side(-1, 1);
    int planted = 0;
    int reached = 0;
    for (const auto& datum : ListedDatums()) {
        const InverseTerms terms(datum);
        for (int i = 0; i < 3000; ++i) {
            const bool south = i % 2 == 1;
            UtmCoordinate utm{static_cast<std::int16_t>(1 + i % 60),
                              south ? Hemisphere::South : Hemisphere::North, easting(engine),
                              northing(engine)};
            ExpectTheLibrarysTexts(utm, terms);
            const TurningPoints& points = kInverseTurningPoints[static_cast<std::size_t>(i / 2) %
                                                                std::size(kInverseTurningPoints)];
            const bool latitude = points.of == TurningOf::Latitude || i % 4 < 2;
            const double start =
                Degrees(utm, terms, latitude, latitude ? utm.northing : utm.easting);
            const double target = PointNear(points, start, side(engine));
            if (std::fabs(target) > 89) {
                continue; // the pole check's: no quick position is taken this near a pole
            }
            const UtmCoordinate moved = Towards(utm, terms, latitude, target);
            const double landed =
                Degrees(moved, terms, latitude, latitude ? moved.northing : moved.easting);
            ++planted;
            reached += std::fabs(landed - target) < kQuickInverseDrift / 100 ? 1 : 0;
            ExpectTheLibrarysTexts(moved, terms);
        }
    }
    // The planting must really reach the turning points, or the test proves nothing.
    EXPECT_GT(reached, planted * 9 / 10);
}

// The boxes of a latitude (under "N") or a longitude, the seconds left out for a test of where
// the rest turn.
std::string BoxesOf(double value, bool latitude, bool withSeconds) {
    UtmConversion conversion;
    conversion.position = {latitude ? value : 0, latitude ? 0 : value};
    AngleBoxes boxes =
        latitude ? LatitudeBoxes(conversion, "N", ".") : LongitudeBoxes(conversion, ".");
    if (!withSeconds) {
        boxes[2].clear();
    }
    return boxes[0] + " " + boxes[1] + " " + boxes[2] + " " + boxes[3];
}

// The table holds every point where the boxes or the nine-decimal degrees turn, found from the
// texts themselves: the degrees, minutes and letter over stretches of two degrees, everything
// over stretches of a few hundredths of a second or units of the ninth decimal.
TEST(InverseTurningPoints, HoldEveryPointWhereTheBoxesOrTheNineDecimalsTurn) {
    struct Kind {
        bool latitude;
        double stretch; // degrees
        int stretches;
        std::function<std::string(double)> shown;
    };
    // clang-format off
    const Kind kinds[] = {
        {true,  2,            10,  [](double v) { return BoxesOf(v, true, false); }},
        {false, 2,            10,  [](double v) { return BoxesOf(v, false, false); }},
        {true,  5.0 / 360000, 200, [](double v) { return BoxesOf(v, true, true); }},
        {false, 5.0 / 360000, 200, [](double v) { return BoxesOf(v, false, true); }},
        {false, 5e-9,         200, [](double v) { return NineDecimalDegrees(v); }},
    };
    // clang-format on
    std::mt19937_64 engine(14);
    for (const Kind& kind : kinds) {
        const double reach = kind.latitude ? 91 : 200;
        std::uniform_real_distribution<double> start(-reach, reach);
        std::size_t count = 0;
        for (int i = 0; i < kind.stretches; ++i) {
            std::vector<double> found;
            const double low = start(engine);
            FindTurningPoints(kind.shown, low, low + kind.stretch, found);
            count += found.size();
            for (const double point : found) {
                ASSERT_TRUE(OnTurningPoint(point, kind.latitude)) << std::setprecision(17) << point;
            }
        }
        EXPECT_GT(count, 400u); // there were turning points to check
    }
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

// The usual boxes, written in one go, are what the writer of any boxes writes, which a separator
// of more than eight characters takes them to: south of the equator under "N", north of it under
// "S", west and east, and seconds at every hundredth.
TEST(AppendBoxes, WritesTheUsualBoxesAsAnyOthers) {
    std::mt19937_64 engine(13);
    std::uniform_real_distribution<double> easting(150000, 850000);
    std::uniform_real_distribution<double> northing(0, 9300000);
    const InverseTerms terms(ListedDatums().front());
    const std::string longSeparator = "#########";
    for (int i = 0; i < 20000; ++i) {
        const std::string_view letter = i % 2 == 0 ? "N" : "S";
        const UtmConversion c = ConvertUtm(
            UtmNumbers{northing(engine), easting(engine), static_cast<double>(1 + i % 60),
                       i % 4 < 2 ? Hemisphere::North : Hemisphere::South},
            terms);
        ASSERT_TRUE(c.Converted()) << c.failure;
        std::string anyOthers = AppendedBoxes(c, letter, longSeparator);
        for (std::size_t at; (at = anyOthers.find(longSeparator)) != std::string::npos;) {
            anyOthers.replace(at, longSeparator.size(), ",");
        }
        ASSERT_EQ(AppendedBoxes(c, letter, ","), anyOthers);
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
