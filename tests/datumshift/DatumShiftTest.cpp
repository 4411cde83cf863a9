#include "datumshift/DatumShift.hpp"

#include "Cs2cs.hpp"
#include "datumshift/DatumFailure.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <thread>

namespace korvane {
namespace {

// A datum shifted to and from WGS 84 at named places and at a 5 by 5 lattice over a box inside
// the area of one of its transformations.
struct PairCase {
    const char* datum;
    double south, west, north, east;
    std::vector<GeodeticPosition> places;
};

// clang-format off
const PairCase kPairs[] = {
    {"ED50", 36, -9, 70, 31, {{48.85, 2.35}, {40.42, -3.7}, {59.91, 10.75}, {37.98, 23.73}, {41.01, 28.98}, {56, 3}, {55.68, 12.57}, {38.72, -9.14}, {60.17, 24.94}, {36.14, -5.35}}},
    {"NAD27", 25, -124, 49, -67, {{40.71, -74.01}, {34.05, -118.24}, {45.5, -73.57}, {61.22, -149.9}, {19.43, -99.13}, {23.13, -82.38}, {29, -90}, {51.05, -114.07}, {52, 178}}},
    {"OSGB36", 50, -8, 60.5, 1.5, {{51.5, -0.13}, {55.95, -3.19}, {53.48, -2.24}, {57.48, -4.22}, {50.6, -1.9}, {51.48, -3.18}}},
    {"Pulkovo 1942", 36, 20, 80, 179, {{55.75, 37.62}, {59.94, 30.31}, {43.24, 76.89}, {56.95, 24.11}, {40.41, 49.87}, {64.73, 177.5}, {65, -172}}},
    {"Arc 1960", -11, 30, 4, 41, {{-1.29, 36.82}, {-6.79, 39.21}, {-3.37, 29.36}, {0.5, 35.3}, {-4, 39.6}}},
    {"Adindan", 4, 22, 22, 47, {{15.6, 32.53}, {9.03, 38.74}, {4.85, 31.58}, {15.32, 38.93}}},
    {"Indian 1975", 6, 98, 20, 105, {{13.75, 100.5}, {18.79, 98.98}, {7.9, 102.6}, {7, 100.47}}},
    {"Tokyo", 21, 123, 45, 154, {{35.68, 139.69}, {43.06, 141.35}, {26.21, 127.68}, {37.57, 126.98}, {33.59, 130.4}}},
    {"AGD66", -47, 110, -9, 163, {{-35.28, 149.13}, {-33.87, 151.21}, {-37.81, 144.96}, {-12.46, 130.84}, {-42.88, 147.33}, {-6.2, 143.6}, {-9.44, 147.18}}},
    {"NZGD49", -47, 166.5, -34.5, 178.5, {{-41.29, 174.78}, {-36.85, 174.76}, {-45.87, 170.5}}},
};
// clang-format on

struct Direction {
    const PairCase* pair;
    bool toWgs84;
};

// Shown in the test's listing, rather than the pair's bytes.
void PrintTo(const Direction& direction, std::ostream* out) {
    *out << (direction.toWgs84 ? std::string(direction.pair->datum) + " to WGS 84"
                               : "WGS 84 to " + std::string(direction.pair->datum));
}

class AgreementWithCs2cs : public testing::TestWithParam<Direction> {};

TEST_P(AgreementWithCs2cs, WithinAMillimetre) {
    const PairCase& pair = *GetParam().pair;
    const GeodeticDatum wgs84 = ResolveDatum("WGS 84");
    const GeodeticDatum datum = ResolveDatum(pair.datum);
    const GeodeticDatum& from = GetParam().toWgs84 ? datum : wgs84;
    const GeodeticDatum& to = GetParam().toWgs84 ? wgs84 : datum;
    std::vector<GeodeticPosition> positions = pair.places;
    for (int i = 0; i <= 4; ++i) {
        for (int j = 0; j <= 4; ++j) {
            positions.push_back({pair.south + (pair.north - pair.south) * i / 4,
                                 pair.west + (pair.east - pair.west) * j / 4});
        }
    }
    DatumShift shift(from, to);
    const auto expected = Cs2csShift(from.code, to.code, positions);
    double furthest = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        SCOPED_TRACE(std::to_string(positions[i].latitude) + ", " +
                     std::to_string(positions[i].longitude));
        const ShiftedPosition shifted = shift.Shift(positions[i]);
        ASSERT_TRUE(shifted.Shifted()) << shifted.failure;
        ASSERT_TRUE(expected[i].has_value());
        furthest = std::max(furthest, MetresApart(shifted.position, *expected[i]));
    }
    EXPECT_LT(furthest, 0.001);
    std::cout << from.name << " to " << to.name << ": " << positions.size()
              << " positions, furthest from cs2cs " << furthest << " m\n";
}

std::vector<Direction> Directions() {
    std::vector<Direction> directions;
    for (const PairCase& pair : kPairs) {
        directions.push_back({&pair, false});
        directions.push_back({&pair, true});
    }
    return directions;
}

std::string DirectionName(const testing::TestParamInfo<Direction>& direction) {
    std::string name = direction.param.pair->datum;
    name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    return direction.param.toWgs84 ? name + "ToWgs84" : "Wgs84To" + name;
}

INSTANTIATE_TEST_SUITE_P(DatumPairs, AgreementWithCs2cs, testing::ValuesIn(Directions()),
                         DirectionName);

// Positions where no transformation of the pair applies, and what the failure says beside them.
struct OutsideCase {
    const char* from;
    const char* to;
    GeodeticPosition position;
    const char* point;
    const char* says;
};

// clang-format off
const OutsideCase kOutside[] = {
    {"WGS 84", "ED50", {-33.87, 151.21}, "latitude -33.87, longitude 151.21", " is outside the area of use of every transformation PROJ knows from WGS 84 (EPSG:4326) to ED50 (EPSG:4230) (ED50 is used within west -16.1, south 25.71, east 48.61, north 84.73)"},
    {"ED50", "WGS 84", {-33.87, 151.21}, "latitude -33.87, longitude 151.21", " is outside the area of use of every transformation PROJ knows from ED50 (EPSG:4230) to WGS 84 (EPSG:4326) (ED50 is used within west -16.1, south 25.71, east 48.61, north 84.73)"},
    {"WGS 84", "Tokyo", {48.85, 2.35}, "latitude 48.85, longitude 2.35", " is outside the area of use of every transformation PROJ knows from WGS 84 (EPSG:4326) to Tokyo (EPSG:4301) (Tokyo is used within west 122.83, south 20.37, east 154.05, north 45.54)"},
    {"WGS 84", "NAD27", {24, -71}, "latitude 24, longitude -71", " is outside the area of use of every transformation PROJ knows from WGS 84 (EPSG:4326) to NAD27 (EPSG:4267) (NAD27 is used within west 167.65, south 7.15, east -47.74, north 83.17)"},
    {"Tokyo", "Arc 1960", {35.68, 139.69}, "latitude 35.68, longitude 139.69", ": PROJ knows no transformation from Tokyo (EPSG:4301) to Arc 1960 (EPSG:4210), only a ballpark one"},
};
// clang-format on

TEST(DatumShift, OutsideEveryAreaFailsOrTakesProjsFallback) {
    for (const OutsideCase& c : kOutside) {
        SCOPED_TRACE(std::string(c.from) + " to " + c.to);
        const GeodeticDatum from = ResolveDatum(c.from);
        const GeodeticDatum to = ResolveDatum(c.to);
        DatumShift failing(from, to);
        const ShiftedPosition failed = failing.Shift(c.position);
        EXPECT_FALSE(failed.Shifted());
        EXPECT_EQ(failed.failure, std::string(c.point) + c.says);

        DatumShift anyway(from, to, OutsideAreas::ShiftAnyway);
        const ShiftedPosition shifted = anyway.Shift(c.position);
        ASSERT_TRUE(shifted.Shifted()) << shifted.failure;
        const GeodeticPosition positions[] = {c.position};
        const auto expected = Cs2csShift(from.code, to.code, positions);
        ASSERT_TRUE(expected[0].has_value());
        EXPECT_LT(MetresApart(shifted.position, *expected[0]), 0.001);
    }
}

// New Zealand's grid, the most accurate transformation, does not reach the north edge of its
// area of use: there PROJ takes the next one, as cs2cs shows.
TEST(DatumShift, WhereAGridDoesNotReachTheNextTransformationShifts) {
    const GeodeticDatum nzgd49 = ResolveDatum("NZGD49");
    const GeodeticDatum wgs84 = ResolveDatum("WGS 84");
    DatumShift shift(nzgd49, wgs84);
    const GeodeticPosition positions[] = {{-33.9, 172}, {-41.29, 174.78}};
    const auto expected = Cs2csShift(nzgd49.code, wgs84.code, positions);
    const char* operations[] = {"NZGD49 to WGS 84 (2)", "NZGD49 to WGS 84 (3)"};
    for (std::size_t i = 0; i < std::size(positions); ++i) {
        const ShiftedPosition shifted = shift.Shift(positions[i]);
        ASSERT_TRUE(shifted.Shifted()) << shifted.failure;
        EXPECT_EQ(shift.Operations()[shifted.operation].name, operations[i]);
        ASSERT_TRUE(expected[i].has_value());
        EXPECT_LT(MetresApart(shifted.position, *expected[i]), 0.001);
    }
}

TEST(DatumShift, ProjsFailuresCarryItsTextAndNeverANan) {
    DatumShift shift(ResolveDatum("WGS 84"), ResolveDatum("Tokyo"), OutsideAreas::ShiftAnyway);
    // clang-format off
    const struct { GeodeticPosition position; const char* says; } cases[] = {
        {{95, 10}, "PROJ could not shift latitude 95, longitude 10 from WGS 84 (EPSG:4326) to Tokyo (EPSG:4301) with Inverse of Tokyo to WGS 84 (108): Invalid coordinate"},
        {{35, 1e300}, "longitude 1e+300 from WGS 84 (EPSG:4326) to Tokyo (EPSG:4301) with Inverse of Tokyo to WGS 84 (108): Invalid coordinate"},
        {{std::nan(""), 139}, "PROJ could not shift latitude nan, longitude 139"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const ShiftedPosition shifted = shift.Shift(c.position);
        EXPECT_NE(shifted.failure.find(c.says), std::string::npos) << shifted.failure;
        EXPECT_FALSE(std::isnan(shifted.position.latitude) ||
                     std::isnan(shifted.position.longitude));
    }
}

// The choice made here against PROJ's own, proj_trans on the set of transformations that
// proj_create_crs_to_crs_from_pj gives, at random positions over and beyond the datum's area.
TEST(DatumShift, ChoosesAndShiftsAsProjDoes) {
    for (const char* name : {"ED50", "NAD27", "Pulkovo 1942", "OSGB36", "NZGD49", "Tokyo"}) {
        SCOPED_TRACE(name);
        const GeodeticDatum wgs84 = ResolveDatum("WGS 84");
        const GeodeticDatum datum = ResolveDatum(name);
        DatumShift shift(wgs84, datum, OutsideAreas::ShiftAnyway);
        const ProjContext context;
        const ProjObject source(proj_create(context.Get(), wgs84.code.c_str()));
        const ProjObject target(proj_create(context.Get(), datum.code.c_str()));
        const ProjObject chosen(proj_create_crs_to_crs_from_pj(context.Get(), source.get(),
                                                               target.get(), nullptr, nullptr));
        const ProjObject proj(proj_normalize_for_visualization(context.Get(), chosen.get()));
        ASSERT_TRUE(proj);
        const AreaOfUse& area = *datum.area;
        std::mt19937_64 random(42);
        std::uniform_real_distribution<double> latitude(std::max(-90.0, area.south - 5),
                                                        std::min(90.0, area.north + 5));
        std::uniform_real_distribution<double> longitude(-180, 180);
        // The poles and the antimeridian, then random positions.
        const GeodeticPosition edges[] = {{90, 0}, {-90, 0}, {89.99999, 45}, {0, 180}, {0, -180}};
        for (int i = -5; i < 3000; ++i) {
            const GeodeticPosition position =
                i < 0 ? edges[i + 5] : GeodeticPosition{latitude(random), longitude(random)};
            const ShiftedPosition shifted = shift.Shift(position);
            const PJ_COORD expected = proj_trans(
                proj.get(), PJ_FWD, proj_coord(position.longitude, position.latitude, 0, HUGE_VAL));
            ASSERT_EQ(shifted.Shifted(), expected.xy.x != HUGE_VAL) << shifted.failure;
            if (!shifted.Shifted()) {
                continue;
            }
            ASSERT_LT(MetresApart(shifted.position, {expected.xy.y, expected.xy.x}), 1e-6)
                << position.latitude << ", " << position.longitude;
            if (i % 30 == 0) { // each call copies a transformation
                const ProjObject used(proj_trans_get_last_used_operation(proj.get()));
                const std::string usedName = proj_get_name(used.get());
                const std::string ours = shift.Operations()[shifted.operation].name;
                EXPECT_TRUE(usedName == ours ||
                            usedName.find("+ " + ours + " +") != std::string::npos)
                    << usedName << " against " << ours;
            }
        }
    }
}

TEST(DatumShift, DescribesProjsCandidates) {
    DatumShift shift(ResolveDatum("WGS 84"), ResolveDatum("ED50"));
    EXPECT_FALSE(shift.OnlyBallpark());
    ASSERT_TRUE(shift.Area().has_value());
    EXPECT_EQ(shift.Area()->name.rfind("Europe - west", 0), 0u);
    const ShiftedPosition paris = shift.Shift({48.85, 2.35});
    const ShiftOperation& france = shift.Operations()[paris.operation];
    EXPECT_EQ(france.name, "Inverse of ED50 to WGS 84 (17)");
    EXPECT_EQ(france.code, "INVERSE(EPSG):1275");
    EXPECT_EQ(france.accuracy, 2.0);
    EXPECT_FALSE(france.ballpark);
    EXPECT_FALSE(france.usesGrids);
    EXPECT_EQ(france.Describe().rfind("Inverse of ED50 to WGS 84 (17) (INVERSE(EPSG):1275), "
                                      "accuracy 2 m, in France - onshore and offshore",
                                      0),
              0u)
        << france.Describe();
    const ShiftOperation& last = shift.Operations().back();
    EXPECT_TRUE(last.ballpark);
    EXPECT_FALSE(last.accuracy.has_value());
    EXPECT_NE(last.Describe().find("a ballpark transformation, accuracy unknown"),
              std::string::npos);

    DatumShift grid(ResolveDatum("NZGD49"), ResolveDatum("WGS 84"));
    const ShiftedPosition wellington = grid.Shift({-41.29, 174.78});
    EXPECT_TRUE(grid.Operations()[wellington.operation].usesGrids);
    EXPECT_TRUE(DatumShift(ResolveDatum("Tokyo"), ResolveDatum("Arc 1960")).OnlyBallpark());
}

TEST(DatumShift, CopiesForThreadsAndMovesGiveTheSameResults) {
    DatumShift shift(ResolveDatum("WGS 84"), ResolveDatum("NZGD49"));
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> latitude(-48, -33), longitude(165, 180);
    std::vector<GeodeticPosition> positions(5000);
    for (GeodeticPosition& position : positions) {
        position = {latitude(random), longitude(random)};
    }
    const auto shiftAll = [&](DatumShift& by, std::vector<ShiftedPosition>& into) {
        for (const GeodeticPosition& position : positions) {
            into.push_back(by.Shift(position));
        }
    };
    std::vector<ShiftedPosition> expected;
    shiftAll(shift, expected);
    std::vector<DatumShift> copies;
    copies.push_back(shift.CopyForThread());
    copies.push_back(shift.CopyForThread());
    std::vector<ShiftedPosition> results[2];
    {
        std::jthread first([&] { shiftAll(copies[0], results[0]); });
        std::jthread second([&] { shiftAll(copies[1], results[1]); });
    }
    DatumShift moved = std::move(copies[0]);
    moved = std::move(copies[1]);
    std::vector<ShiftedPosition> afterMoves;
    shiftAll(moved, afterMoves);
    for (const auto* got : {&results[0], &results[1], &afterMoves}) {
        ASSERT_EQ(got->size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ((*got)[i].failure, expected[i].failure);
            ASSERT_EQ((*got)[i].operation, expected[i].operation);
            ASSERT_EQ((*got)[i].position.latitude, expected[i].position.latitude);
            ASSERT_EQ((*got)[i].position.longitude, expected[i].position.longitude);
        }
    }
}

} // namespace
} // namespace korvane
