#include "geodesy/GridReference.hpp"

#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/ForwardProjection.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace korvane {
namespace {

struct GridCase {
    double latitude; // signed
    double longitude;
    Hemisphere hemisphere;
    const char* text;
};

TEST(GridReference, OfForwardResultsOnWgs84) {
    const auto N = Hemisphere::North;
    const auto S = Hemisphere::South;
    // clang-format off
    const GridCase cases[] = {
        {0, 0, N, "31 N   AA  66021  00000"},
        {-0.0, 0, S, "31 N   AA  66021  00000"},
        {45, 3, N, "31 T   EK  00000  82950"},
        {90, 0, N, "31 Z   EV  00000  97964"},
        {72, 10, N, "32 X   NE  34489  89218"},
        {84, 10, N, "32 Z   NU  11669  28195"},
        {-80, 10, S, "32 C   NS  19384  18247"},
        {-85, 10, S, "32 A   NL  09730  60182"},
        {-33.86, 151.21, S, "56 H   LH  34416  51925"},
        {40.7, -74, N, "18 T   WL  84482  05935"},
        {(15 + 52.0 / 60) + 31.11 / 3600, (44 + 5.0 / 60) + 16.11 / 3600, N, "38 P   MC  02339  55355"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto projected = ProjectToUtm({c.latitude, c.longitude}, c.hemisphere,
                                            ForwardTerms(DatumForListPosition(0)));
        EXPECT_EQ(GridReference(projected.utm.zone, BandLetter(c.latitude), projected.utm.easting,
                                projected.utm.northing),
                  c.text);
    }
}

TEST(BandLetter, FollowsTheBandsAndTheirEdges) {
    const std::pair<double, const char*> cases[] = {
        {-90, "A"}, {-84.0001, "A"}, {-84, "C"},   {-72, "C"}, {-71.9999, "D"}, {-64, "E"},
        {-8, "M"},  {-0.5, "M"},     {-0.0, "N"},  {0, "N"},   {8, "P"},        {71.9, "W"},
        {72, "X"},  {72.5, "X"},     {83.99, "X"}, {84, "Z"},  {96.3, "Z"},     {-200, "A"}};
    for (const auto& [latitude, letter] : cases) {
        EXPECT_EQ(BandLetter(latitude), letter) << latitude;
    }
}

TEST(SquareLetterCode, SkipsIAndO) {
    std::string letters;
    for (std::int16_t index = 1; index <= 24; ++index) {
        letters += static_cast<char>(SquareLetterCode(index));
    }
    EXPECT_EQ(letters, "ABCDEFGHJKLMNPQRSTUVWXYZ");
    // clang-format off
    const std::pair<std::int16_t, int> codes[] = {{0, '@'}, {25, '['}, {-64, 0}, {189, 255}, {8, 'H'}, {9, 'J'}, {13, 'N'}, {14, 'P'}};
    // clang-format on
    for (const auto& [index, code] : codes) {
        EXPECT_EQ(SquareLetterCode(index), code) << index;
    }
    EXPECT_THROW(SquareLetterCode(190), InvalidArgumentFailure);
    EXPECT_THROW(SquareLetterCode(-65), InvalidArgumentFailure);
    EXPECT_THROW(SquareLetterCode(32701), InvalidArgumentFailure); // 32767: no overflow yet
    EXPECT_THROW(SquareLetterCode(32702), OverflowFailure);        // the last step passes 32767
    EXPECT_THROW(SquareLetterCode(32767), OverflowFailure);
}

// A letter beyond 127 is written in UTF-8: code 255, from an easting far east of the zone.
TEST(GridReference, WritesLatinOneLettersInUtf8) {
    EXPECT_EQ(std::string(GridReference(1, "N", 18900000, 0)), "1 N   \xC3\xBF"
                                                               "A  00000  00000");
}

TEST(GridReference, ColumnAndRowLettersFollowTheZone) {
    // Zones 1, 4, 7 use columns A-H, 2, 5, 8 J-R, 3, 6, 9 S-Z; even zones start rows at F.
    // clang-format off
    const std::pair<int, const char*> cases[] = {
        {1, "1 N   EA  00000  00000"},
        {2, "2 N   NF  00000  00000"},
        {3, "3 N   WA  00000  00000"},
        {61, "61 N   EA  00000  00000"},
    };
    // clang-format on
    for (const auto& [zone, text] : cases) {
        EXPECT_EQ(GridReference(static_cast<std::int16_t>(zone), "N", 500000, 0), text);
    }
    // Row index 0 becomes 20 ("V"); rows repeat every 2000 km.
    EXPECT_EQ(GridReference(31, "N", 500000, 1900000), "31 N   EV  00000  00000");
    EXPECT_EQ(GridReference(31, "N", 500000, 2000000), "31 N   EA  00000  00000");
}

TEST(GridReference, FiveDigitsKeepTheirZerosAndTheSign) {
    const std::pair<double, const char*> cases[] = {
        {4505935.87, "05935"}, {500000, "00000"}, {0, "00000"},        {-0.4, "-00001"},
        {-5, "-00005"},        {-1234, "-01234"}, {-123456, "23456"},  {-100000, "00000"},
        {99999.99, "99999"},   {1e20, "00000"},   {123456789, "56789"}};
    for (const auto& [value, digits] : cases) {
        EXPECT_EQ(GridReference(31, "N", 500000, value).View().substr(18), digits) << value;
    }
}

// The text holds the longest reference whole: a six-character zone, a band of up to 8
// characters, a letter written in two bytes and a "-" before the digits; a longer band is
// refused rather than cut.
TEST(GridReference, HoldsTheLongestReferenceWhole) {
    EXPECT_EQ(GridReference(-32768, "ABCDEFGH", 18912345, -1234),
              "-32768 ABCDEFGH   \u00FFE  12345  -01234");
    EXPECT_THROW(GridReference(31, "ABCDEFGHI", 500000, 0), InvalidArgumentFailure);
}

// The square of a point is counted without a division wherever that is sure to give what the
// division gives: on a square's edge, and a step or two of a double either side of it, a point
// has the letters of a point a quarter of a square away on the same side; the same around the
// counts where that way ends (2^20 squares, and 2^40 for the rows). The doubles just below 0 are
// so small that their quotient is -0, in square 0, as the division has it.
TEST(GridReference, PointsOnAndNextToSquareEdgesHaveTheirSidesLetters) {
    const auto Letters = [](double easting, double northing) {
        return std::string(GridReference(31, "N", easting, northing).View().substr(7, 2));
    };
    const auto Stepped = [](double value, int steps) {
        for (; steps != 0; steps += steps < 0 ? 1 : -1) {
            value = std::nextafter(value, steps < 0 ? -1e300 : 1e300);
        }
        return value;
    };
    constexpr double kSquare = 100000;
    const double columns[] = {-3, -2, -1, 1, 2, 3, 7, 10, 50, 100, 150, 180};
    const double rows[] = {-3,         -1,         1,          2,          9,
                           20,         99,         1000,       0x1p20 - 1, 0x1p20,
                           0x1p20 + 1, 0x1p40 - 2, 0x1p40 - 1, 0x1p40,     0x1p40 + 1};
    const double belowZero = std::nextafter(0.0, -1.0);
    EXPECT_EQ(Letters(belowZero, belowZero), Letters(0, 0));
    for (int steps = -2; steps <= 2; ++steps) {
        const double quarter = (steps < 0 ? -0.25 : 0.25) * kSquare;
        for (const double squares : columns) {
            const double edge = squares * kSquare;
            EXPECT_EQ(Letters(Stepped(edge, steps), 0), Letters(edge + quarter, 0))
                << "column edge " << squares << ", " << steps << " steps";
        }
        for (const double squares : rows) {
            const double edge = squares * kSquare;
            EXPECT_EQ(Letters(500000, Stepped(edge, steps)), Letters(500000, edge + quarter))
                << "row edge " << squares << ", " << steps << " steps";
        }
    }
}

TEST(GridReference, IndexesOutsideSixteenBitsOverflow) {
    EXPECT_THROW(GridReference(31, "N", 3.3e9, 0), OverflowFailure);
    EXPECT_THROW(GridReference(31, "N", 3.2e9, 0), InvalidArgumentFailure); // letter code > 255
    EXPECT_THROW(GridReference(31, "N", std::numeric_limits<double>::infinity(), 0),
                 FloatingPointFailure);
}

TEST(CompactGridReference, DropsEveryBlankAndNothingElse) {
    const std::pair<const char*, const char*> cases[] = {
        {"38 P   MC  02339  55355", "38PMC0233955355"},
        {"1 N   EA  00000  00000", "1NEA0000000000"},
        {"31 N   EA  00000  -00001", "31NEA00000-00001"},
        {"", ""}};
    for (const auto& [reference, compact] : cases) {
        EXPECT_EQ(CompactGridReference(reference), compact) << reference;
    }
}

} // namespace
} // namespace korvane
