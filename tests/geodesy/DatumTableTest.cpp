#include "geodesy/DatumTable.hpp"

#include "geodesy/DefiningEllipsoid.hpp"
#include "geodesy/Failure.hpp"

#include <bit>
#include <cstdint>
#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(Constants, RadiansPerDegreeComesFromFourteenDecimalPi) {
    // A library pi would give 3F91DF46A2529D39.
    EXPECT_EQ(std::bit_cast<std::uint64_t>(RadiansPerDegree), 0x3F91DF46A2529D34u);
    EXPECT_EQ(SinOneSecond, 4.84813681109536E-06);
}

TEST(DatumTable, RowZeroIsEmptyAndTheFourteenFollowInListOrder) {
    const auto& table = StandardDatumTable();
    EXPECT_EQ(table[0].a, 0);
    EXPECT_EQ(table[0].b, 0);
    EXPECT_EQ(table[0].listName, "");
    ASSERT_EQ(ListedDatums().size(), 14u);
    EXPECT_EQ(ListedDatums().front().listName, "WGS 84");
    EXPECT_EQ(ListedDatums().back().listName, "Everest 1830");
}

struct RowCase {
    int row;
    const char* name;
    std::size_t trailingBlanks;
    double a;
    double b;
};

TEST(DatumTable, EveryRowHasItsRadiiAndReportLabel) {
    // clang-format off
    const RowCase rows[] = {
        {1, "WGS 84", 21, 6378137, 6356752.3142},
        {2, "NAD 83", 22, 6378137, 6356752.3142},
        {3, "GRS 80", 22, 6378137, 6356752.3141},
        {4, "WGS 72", 21, 6378135, 6356750.5},
        {5, "Australian 1965", 9, 6378160, 6356774.7},
        {6, "Krasovsky 1940", 8, 6378245, 6356863},
        {7, "North American 1927", 0, 6378206.4, 6356583.8},
        {8, "International 1924", 5, 6378388, 6356911.9},
        {9, "Hayford 1909", 13, 6378388, 6356911.9},
        {10, "Clarke 1880", 15, 6378249.1, 6356514.9},
        {11, "Clarke 1866", 15, 6378206.4, 6356583.8},
        {12, "Airy 1830", 19, 6377563.4, 6356256.9},
        {13, "Bessel 1841", 14, 6377397.2, 6356079},
        {14, "Everest 1830", 13, 6377276.3, 6356075.4},
    };
    // clang-format on
    for (const auto& c : rows) {
        SCOPED_TRACE(c.name);
        const auto& entry = StandardDatumTable()[static_cast<std::size_t>(c.row)];
        EXPECT_EQ(entry.listName, c.name);
        EXPECT_EQ(entry.reportLabel, std::string(c.name) + std::string(c.trailingBlanks, ' '));
        EXPECT_EQ(entry.a, c.a);
        EXPECT_EQ(entry.b, c.b);
    }
}

TEST(DatumTable, ListPositionSelectsTheRowAfterIt) {
    EXPECT_EQ(DatumForListPosition(0).listName, "WGS 84");
    EXPECT_EQ(DatumForListPosition(13).listName, "Everest 1830");
    EXPECT_EQ(DatumForListPosition(-1).a, 0);
    EXPECT_EQ(DatumForListPosition(-1).b, 0);
}

TEST(DatumTable, PositionsBeyondTheListFail) {
    EXPECT_THROW(DatumForListPosition(14), SubscriptFailure);
    EXPECT_THROW(DatumForListPosition(-2), SubscriptFailure);
    EXPECT_THROW(DatumForListPosition(32767), OverflowFailure); // row = position + 1 in 16 bits
}

// The standard grid's defining values stand row for row beside the list's: a row out of step
// would give an ellipsoid another's axes and MGRS lettering.
TEST(DefiningEllipsoids, FollowTheListRowForRowWithinItsRounding) {
    for (int position = 0; position < kDatumRows - 1; ++position) {
        const DatumEntry& listed = DatumForListPosition(static_cast<std::int16_t>(position));
        const DefiningEllipsoid& defined = DefiningEllipsoidAt(position);
        EXPECT_EQ(defined.listName, listed.listName) << position;
        EXPECT_NEAR(defined.a, listed.a, 0.05) << defined.listName;
        EXPECT_NEAR(defined.b, listed.b, 1.0) << defined.listName;
    }
    EXPECT_THROW(DefiningEllipsoidAt(14), SubscriptFailure);
    EXPECT_THROW(DefiningEllipsoidAt(-1), SubscriptFailure);
}

TEST(BandLetters, PositionsThreeToTwentyOneHoldDToX) {
    std::string letters;
    for (int position = 3; position <= 21; ++position) {
        letters += BandLetters[static_cast<std::size_t>(position)];
    }
    EXPECT_EQ(letters, "DEFGHJKLMNPQRSTUVWX");
}

TEST(BandLetters, BandPositionRoundsDownwards) {
    // clang-format off
    const std::pair<double, int> cases[] = {
        {0, 12},
        {-0.0, 12},
        {-0.5, 11},
        {-71.9, 3},
        {71.9, 20},
        {72, 21},
        {7.999, 12},
        {8, 13},
    };
    // clang-format on
    for (const auto& [latitude, position] : cases) {
        EXPECT_EQ(BandPosition(latitude), position) << latitude;
    }
    EXPECT_THROW(BandPosition(200), SubscriptFailure);
}

} // namespace
} // namespace korvane
