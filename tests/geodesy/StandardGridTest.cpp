#include "geodesy/ConformalLatitude.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/UtmUps.hpp"
#include "support/StandardWgs84.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace korvane {
namespace {

const auto N = Hemisphere::North;
const auto S = Hemisphere::South;

// The failure's message, or "" when none is thrown.
template <class Call> std::string FailureOf(Call call) {
    try {
        call();
    } catch (const InvalidArgumentFailure& failure) {
        return failure.what();
    }
    return "";
}

TEST(StandardZone, FollowsTheStripsAndTheExceptions) {
    // clang-format off
    const struct { double latitude, longitude; int zone; } cases[] = {
        {0, 0, 31}, {0, -0.0000001, 30}, {0, 180, 1}, {0, -180, 1}, {0, 179.9999, 60}, {0, 540, 1},
        {-80, 10, 32}, {-80.0001, 10, kUpsZone}, {83.9999, 40, 37}, {84, 40, kUpsZone},
        {90, 0, kUpsZone}, {-90, 0, kUpsZone},
        // South-west Norway: 32V is 3 to 12 E between 56 and 64 N.
        {56, 3, 32}, {55.9999, 3, 31}, {63.9999, 3, 32}, {64, 3, 31}, {60, 2.9999, 31},
        {60, 11.9999, 32}, {60, 12, 33},
        // Svalbard: 31X 0-9, 33X 9-21, 35X 21-33, 37X 33-42, no 32X, 34X or 36X.
        {72, 0, 31}, {71.9999, 5, 31}, {78, 8.9999, 31}, {78, 9, 33}, {78, 20.9999, 33},
        {78, 21, 35}, {78, 32.9999, 35}, {78, 33, 37}, {78, 41.9999, 37}, {78, 42, 38},
        {78, -0.0001, 30}, {83.9999, 15, 33},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(StandardZone({c.latitude, c.longitude}), c.zone)
            << c.latitude << ", " << c.longitude;
    }
    EXPECT_NE(FailureOf([] { StandardZone({90.5, 0}); }).find("latitude 90.5"), std::string::npos);
    EXPECT_NE(FailureOf([] { StandardZone({0, NAN}); }).find("longitude nan"), std::string::npos);
}

// Values GeoConvert gives (GeographicLib 2.1.2, WGS 84), to the millimetre.
TEST(UtmUpsForward, GivesTheStandardGrid) {
    // clang-format off
    const struct { double latitude, longitude; int zone; Hemisphere hemisphere; double easting, northing; } cases[] = {
        {40.7128, -74.0060, 18, N, 583959.372, 4507350.998},
        {60.5, 5, 32, N, 280356.453, 6713774.225},
        {56, 3, 32, N, 126049.971, 6222336.335},
        {63.9999, 2.9999, 31, N, 499995.109, 7097003.019},
        {78, 8.9999, 31, N, 639024.087, 8665496.758},
        {78, 9, 33, N, 360973.604, 8665496.996},
        {83.9999, 40, 37, N, 511669.715, 9328183.949},
        {84, 40, kUpsZone, N, 2428564.307, 1489256.948},
        {-80, 10, 32, S, 519384.803, 1118247.585},
        {-80.0001, 10, kUpsZone, S, 2193259.995, 3096031.894},
        {85, -30, kUpsZone, N, 1722271.304, 1518959.788},
        {-85, 30, kUpsZone, S, 2277728.696, 2481040.212},
        {90, 0, kUpsZone, N, 2000000, 2000000},
        {-90, 0, kUpsZone, S, 2000000, 2000000},
        {0, 180, 1, N, 166021.443, 0},
        {-33.86, 151.21, 56, S, 334416.394, 6251925.360},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.latitude) + ", " + std::to_string(c.longitude));
        const UtmUpsPosition grid = UtmUpsForward({c.latitude, c.longitude}, StandardWgs84());
        EXPECT_EQ(grid.zone, c.zone);
        EXPECT_EQ(grid.hemisphere, c.hemisphere);
        EXPECT_NEAR(grid.easting, c.easting, 0.0005);
        EXPECT_NEAR(grid.northing, c.northing, 0.0005);
        const GeodeticPosition back = UtmUpsReverse(grid, StandardWgs84());
        EXPECT_NEAR(back.latitude, c.latitude, 1e-12);
        if (std::fabs(c.latitude) != 90) {
            EXPECT_NEAR(std::remainder(back.longitude - c.longitude, 360), 0, 1e-12);
        }
    }
}

TEST(UtmUpsForward, TakesAZoneAndHemisphereAskedFor) {
    // clang-format off
    const struct { double latitude, longitude; std::optional<int> zone; std::optional<Hemisphere> hemisphere; int expectedZone; Hemisphere expectedHemisphere; double northingSign; } cases[] = {
        {10, 9, 31, std::nullopt, 31, N, 1},        // the neighbour zone, 6 degrees off
        {10, 9, 33, std::nullopt, 33, N, 1},
        {0.5, 60, 31, std::nullopt, 31, N, 1},       // 57 degrees off: still within reach
        {60.5, 5, 31, std::nullopt, 31, N, 1},       // Norway's point in its plain zone
        {-1, 3, std::nullopt, N, 31, N, -1},         // a northern northing below the equator
        {1, 3, std::nullopt, S, 31, S, 1},           // a southern one above it: beyond 10,000 km
        {70, 0, kUpsZone, std::nullopt, kUpsZone, N, 1},
        {-70, 0, kUpsZone, S, kUpsZone, S, 1},       // 20 degrees from the pole, UPS's reach
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.latitude) + ", " + std::to_string(c.longitude));
        const UtmUpsPosition grid =
            UtmUpsForward({c.latitude, c.longitude}, StandardWgs84(), c.zone, c.hemisphere);
        EXPECT_EQ(grid.zone, c.expectedZone);
        EXPECT_EQ(grid.hemisphere, c.expectedHemisphere);
        if (grid.zone != kUpsZone) {
            const double fromEquator = grid.northing - (grid.hemisphere == S ? kFalseNorthing : 0);
            EXPECT_EQ(std::signbit(fromEquator), std::signbit(c.latitude)) << grid.northing;
        }
        const GeodeticPosition back = UtmUpsReverse(grid, StandardWgs84(), GridRanges::ForcedZone);
        EXPECT_NEAR(back.latitude, c.latitude, 1e-10);
        EXPECT_NEAR(std::remainder(back.longitude - c.longitude, 360), 0, 1e-10);
    }
}

TEST(UtmUpsForward, RefusesWhatItCannotProject) {
    // clang-format off
    const struct { double latitude, longitude; std::optional<int> zone; std::optional<Hemisphere> hemisphere; const char* failure; } cases[] = {
        {91, 0, std::nullopt, std::nullopt, "latitude 91 is outside -90 to 90"},
        {NAN, 0, std::nullopt, std::nullopt, "latitude nan is outside -90 to 90"},
        {0, INFINITY, std::nullopt, std::nullopt, "longitude inf is not a number of degrees"},
        {0, 0, 61, std::nullopt, "zone 61 is outside 1 to 60 and 0 for UPS"},
        {0, 0, -1, std::nullopt, "zone -1 is outside 1 to 60 and 0 for UPS"},
        {0, 70, 31, std::nullopt, "position 0, 70 lies 67 degrees of arc from the central meridian (3) of zone 31, beyond the 60"},
        {10, 110, 31, std::nullopt, "position 10, 110 lies 107 degrees of longitude from the central meridian (3) of zone 31, beyond the 90 the projection covers"},
        {-85, 0, kUpsZone, N, "latitude -85 lies south of the equator, and UPS north projects from the other pole"},
        {69.9, 0, kUpsZone, std::nullopt, "latitude 69.9 lies more than 20 degrees from the pole"},
        {0, 0, kUpsZone, S, "latitude 0 lies more than 20 degrees from the pole"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::string failure = FailureOf([&] {
            UtmUpsForward({c.latitude, c.longitude}, StandardWgs84(), c.zone, c.hemisphere);
        });
        EXPECT_NE(failure.find(c.failure), std::string::npos) << failure;
    }
    // Far from the central meridian only at the equator: at 80 N, 70 degrees of longitude is
    // 10 degrees of arc.
    EXPECT_NO_THROW(UtmUpsForward({80, 73}, StandardWgs84(), 31));
}

TEST(UtmUpsReverse, ChecksTheRanges) {
    // clang-format off
    const struct { UtmUpsPosition grid; GridRanges ranges; const char* failure; } cases[] = {
        {{31, N, 0, 0}, GridRanges::Standard, ""},
        {{31, N, 1000000, 9600000}, GridRanges::Standard, ""},
        {{31, N, 500000, -9100000}, GridRanges::Standard, ""},
        {{31, S, 500000, 900000}, GridRanges::Standard, ""},
        {{31, S, 500000, 19600000}, GridRanges::Standard, ""},
        {{31, N, -0.001, 0}, GridRanges::Standard, "easting -0.001 m is outside 0 to 1000 km, the standard UTM range in the north"},
        {{31, N, 1000000.001, 0}, GridRanges::Standard, "easting 1000000.001 m is outside 0 to 1000 km"},
        {{31, N, 500000, 9600000.5}, GridRanges::Standard, "northing 9600000.5 m is outside -9100 to 9600 km, the standard UTM range in the north"},
        {{31, S, 500000, 899999}, GridRanges::Standard, "northing 899999 m is outside 900 to 19600 km, the standard UTM range in the south"},
        {{kUpsZone, N, 1200000, 2800000}, GridRanges::Standard, ""},
        {{kUpsZone, N, 1199999, 2000000}, GridRanges::Standard, "easting 1199999 m is outside 1200 to 2800 km, the standard UPS range in the north"},
        {{kUpsZone, S, 700000, 3300000}, GridRanges::Standard, ""},
        {{kUpsZone, S, 2000000, 3300001}, GridRanges::Standard, "northing 3300001 m is outside 700 to 3300 km"},
        {{61, N, 500000, 0}, GridRanges::Standard, "zone 61 is outside 1 to 60 and 0 for UPS"},
        {{31, N, NAN, 0}, GridRanges::Standard, "easting nan m is outside"},
        {{31, N, 8000000, 0}, GridRanges::ForcedZone, ""},
        {{31, N, 9000000, 0}, GridRanges::ForcedZone, "easting 9000000 m is outside -7919.73 to 8919.73 km, the forced UTM range in the north"},
        {{31, N, 500000, 9997964}, GridRanges::ForcedZone, ""},
        {{31, N, 500000, 9997966}, GridRanges::ForcedZone, "northing 9997966 m is outside"},
        {{kUpsZone, N, 9e6, -9e6}, GridRanges::ForcedZone, ""},
        {{kUpsZone, N, INFINITY, 0}, GridRanges::ForcedZone, "is not a position"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::string failure =
            FailureOf([&] { UtmUpsReverse(c.grid, StandardWgs84(), c.ranges); });
        if (*c.failure == '\0') {
            EXPECT_EQ(failure, "") << c.grid.easting << ", " << c.grid.northing;
        } else {
            EXPECT_NE(failure.find(c.failure), std::string::npos) << failure;
        }
    }
}

// On a sphere the series has no terms: it is the spherical projection, exactly.
TEST(TransverseMercator, IsTheSphericalProjectionOnASphere) {
    const double radius = 6371007;
    const TransverseMercatorTerms terms(EllipsoidShape(radius, radius), 1);
    for (const double latitude : {-80.0, -30.0, 0.0, 12.5, 45.0, 89.0}) {
        for (const double offset : {-50.0, -3.0, 0.0, 1.0, 20.0, 59.0}) {
            const double phi = latitude * std::numbers::pi / 180;
            const double lambda = offset * std::numbers::pi / 180;
            const auto point = TransverseMercatorForward(terms, latitude, offset);
            EXPECT_NEAR(point.x, radius * std::atanh(std::cos(phi) * std::sin(lambda)), 1e-8);
            EXPECT_NEAR(point.y, radius * std::atan2(std::tan(phi), std::cos(lambda)), 1e-8);
        }
    }
}

TEST(TransverseMercator, IsOddInEachCoordinateAndExactOnTheAxes) {
    const TransverseMercatorTerms& terms = StandardWgs84().utm;
    for (const double latitude : {0.0, 7.5, 45.0, 80.0}) {
        for (const double offset : {0.0, 2.5, 30.0}) {
            const auto ne = TransverseMercatorForward(terms, latitude, offset);
            const auto sw = TransverseMercatorForward(terms, -latitude, -offset);
            EXPECT_EQ(ne.x, -sw.x);
            EXPECT_EQ(ne.y, -sw.y);
        }
    }
    EXPECT_EQ(TransverseMercatorForward(terms, 30, 0).x, 0);
    EXPECT_EQ(TransverseMercatorForward(terms, 0, 30).y, 0);
    EXPECT_DOUBLE_EQ(TransverseMercatorForward(terms, 90, 0).y, StandardWgs84().utmPoleNorthing);
    const auto pole = TransverseMercatorReverse(terms, {0, StandardWgs84().utmPoleNorthing});
    EXPECT_EQ(pole.latitude, 90);
}

// The reverse's latitude series, summed here term by term, against Newton's method on the
// tangents, on every ellipsoid of the list and the flattest the shape takes: both round at the
// last places, but a wrong or missing coefficient up to n^5 moves a latitude by far more.
TEST(TransverseMercator, LatitudeSeriesIsNewtonsMethodToTheLastPlaces) {
    constexpr double kLastPlaces = 1e-15; // radians, 6 nm, four units in the last place
    std::vector<EllipsoidShape> shapes;
    for (const DatumEntry& entry : ListedDatums()) {
        shapes.emplace_back(entry.a, entry.b);
    }
    shapes.emplace_back(6378137, 6378137 * (1 - kMostFlattening * (1 - 1e-12)));
    double worst = 0;
    for (const EllipsoidShape& shape : shapes) {
        const TransverseMercatorTerms terms(shape, 1);
        for (int step = 0; step <= 9000; ++step) {
            const double chi = step * 0.01 * std::numbers::pi / 180;
            double series = chi;
            double multiple = 0;
            for (const double coefficient : terms.conformalToGeodetic) {
                multiple += 2;
                series += coefficient * std::sin(multiple * chi);
            }
            const double newton = std::atan(GeodeticTangent(std::tan(chi), shape.eccentricity));
            ASSERT_NEAR(series, newton, kLastPlaces)
                << shape.a << " m, n " << shape.n << ", conformal latitude " << step * 0.01;
            worst = std::max(worst, std::fabs(series - newton));
        }
    }
    std::printf("the latitude series lies within %.3g radians of Newton's method\n", worst);
}

TEST(EllipsoidShape, RefusesRadiiThatAreNone) {
    // clang-format off
    const struct { double a, b, scale; const char* failure; } cases[] = {
        {0, 0, 1, "equatorial radius 0 m is not a positive number"},
        {NAN, 6356752, 1, "equatorial radius nan m"},
        {6378137, 6378138, 1, "polar radius 6378138 m is not a positive number up to the equatorial radius 6378137 m"},
        {6378137, -1, 1, "polar radius -1 m"},
        {6378137, 6300000, 1, "flattening 0.01225"},
        {6378137, 6356752.3142, 0, "scale 0 is not a positive number"},
        {6378137, 6356752.3142, INFINITY, "scale inf is not a positive number"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::string failure =
            FailureOf([&] { TransverseMercatorTerms(EllipsoidShape(c.a, c.b), c.scale); });
        EXPECT_NE(failure.find(c.failure), std::string::npos) << failure;
    }
    // Every ellipsoid of the windows' list is taken.
    for (const auto& datum : ListedDatums()) {
        EXPECT_NO_THROW(UtmUpsTerms(EllipsoidShape(datum.a, datum.b))) << datum.listName;
    }
}

} // namespace
} // namespace korvane
