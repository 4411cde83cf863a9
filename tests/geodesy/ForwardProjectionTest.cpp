#include "geodesy/ForwardProjection.hpp"

#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/ForwardSeries.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace korvane {
namespace {

double Dms(double degrees, double minutes, double seconds) {
    return (degrees + minutes / 60) + seconds / 3600;
}

const ForwardTerms& Wgs84() {
    static const ForwardTerms terms(DatumForListPosition(0));
    return terms;
}

struct ForwardCase {
    double latitude;
    double longitude;
    Hemisphere hemisphere;
    int zone;
    int centralMeridian;
    double northing;
    double easting;
};

TEST(ProjectToUtm, GivesTheTableOfKnownPositionsOnWgs84) {
    const double lat = Dms(15, 52, 31.11);
    const double lon = Dms(44, 5, 16.11);
    const auto N = Hemisphere::North;
    const auto S = Hemisphere::South;
    // clang-format off
    const ForwardCase cases[] = {
        {0, 0, N, 31, 3, 0.00, 166021.55},
        {-0.0, 0, S, 31, 3, 10000000.00, 166021.55},
        {45, 3, N, 31, 3, 4982950.40, 500000.00},
        {lat, lon, N, 38, 45, 1755355.43, 402339.35},
        {-lat, -lon, S, 23, -45, 8244644.57, 597660.65},
        {-33.86, 151.21, S, 56, 153, 6251925.36, 334416.39},
        {40.7, -74, N, 18, -75, 4505935.87, 584482.35},
        {90, 0, N, 31, 3, 9997964.94, 500000.00},
        {0, 180, N, 61, 183, 0.00, 166021.55},
        {0, -180, N, 1, -177, 0.00, 166021.55},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.latitude << ", " << c.longitude);
        const auto result = ProjectToUtm({c.latitude, c.longitude}, c.hemisphere, Wgs84());
        EXPECT_EQ(result.utm.zone, c.zone);
        EXPECT_EQ(result.centralMeridian, c.centralMeridian);
        EXPECT_EQ(result.utm.northing, c.northing);
        EXPECT_EQ(result.utm.easting, c.easting);
        EXPECT_EQ(result.utm.hemisphere, c.hemisphere);
    }
}

TEST(ProjectToUtm, ZoneBoundariesBelongToTheEasternZone) {
    // clang-format off
    const std::pair<double, int> cases[] = {
        {0, 31},
        {6, 32},
        {-0.0001, 30},
        {-180, 1},
        {180, 61},
        {-6, 30},
        {5.9999, 31},
        {177, 60},
    };
    // clang-format on
    for (const auto& [longitude, zone] : cases) {
        EXPECT_EQ(ZoneOfLongitude(longitude).zone, zone) << longitude;
        EXPECT_EQ(ZoneOfLongitude(longitude).centralMeridian, 6 * zone - 183) << longitude;
    }
}

TEST(ProjectToUtm, ZoneOutsideSixteenBitsOrOfNoNumberIsAnOverflow) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const double longitude : {-196800.0, 196800.0, 1e300, inf, -inf, std::nan("")}) {
        try {
            ZoneOfLongitude(longitude);
            ADD_FAILURE() << longitude;
        } catch (const OverflowFailure& failure) {
            EXPECT_EQ(failure.Step(), "forward step 1 (zone)") << longitude;
        }
    }
}

TEST(ProjectToUtm, EastAndWestOfTheCentralMeridianMirror) {
    for (double offset : {0.5, 1.25, 2.9, 2.999}) {
        for (double latitude : {0.0, 12.5, 47.3, 71.0, 83.9}) {
            const auto east = ProjectToUtm({latitude, 9 + offset}, Hemisphere::North, Wgs84());
            const auto west = ProjectToUtm({latitude, 9 - offset}, Hemisphere::North, Wgs84());
            EXPECT_NEAR(east.utm.easting + west.utm.easting, 1000000, 0.0100001)
                << latitude << " " << offset;
            EXPECT_EQ(east.utm.northing, west.utm.northing);
        }
    }
}

TEST(ProjectToUtm, DatumChoiceChangesOnlyThroughTheRadii) {
    const GeodeticPosition position{Dms(15, 52, 31.11), Dms(44, 5, 16.11)};
    const auto wgs84 = ProjectToUtm(position, Hemisphere::North, Wgs84());
    const auto nad83 =
        ProjectToUtm(position, Hemisphere::North, ForwardTerms(DatumForListPosition(1)));
    EXPECT_EQ(wgs84.utm.northing, nad83.utm.northing);
    EXPECT_EQ(wgs84.utm.easting, nad83.utm.easting);
    const auto everest =
        ProjectToUtm(position, Hemisphere::North, ForwardTerms(DatumForListPosition(13)));
    EXPECT_NE(wgs84.utm.northing, everest.utm.northing);
}

TEST(ForwardTerms, EmptyDatumRowIsAFloatingPointFailureAtTheEccentricity) {
    try {
        const ForwardTerms terms(DatumForListPosition(-1));
        FAIL();
    } catch (const FloatingPointFailure& failure) {
        EXPECT_EQ(failure.Step(), "eccentricity");
    }
}

// The position tables cannot see these terms: they move the result by far less than a
// centimetre. Expected values are the formulas evaluated to 40 digits from the double radii.
TEST(ArcCoefficients, MatchTheSeriesTermByTerm) {
    const double a = 6378137;
    const double b = 6356752.3142;
    const double n = (a - b) / (a + b);
    EXPECT_EQ(n, 0.0016792203899373642);
    const auto arc = ArcCoefficients(a, n);
    EXPECT_NEAR(arc.a, 6367449.1458008443, 2e-9);
    EXPECT_NEAR(arc.b, 16038.508696860773, 2e-11); // an extra (1 - n) on n^4 moves it 1.8e-10
    EXPECT_NEAR(arc.c, 16.832613334334403, 1e-13);
    EXPECT_NEAR(arc.d, 0.02198440427375735, 1e-16); // an extra (1 - n) on n^2 moves it 7e-11
    EXPECT_NEAR(arc.e, 3.1148371319282945e-5, 1e-19);
}

// K1 to K5 at 45 N on WGS 84, evaluated to 40 digits.
TEST(ForwardCoefficients, MatchTheSeriesAtFortyFiveDegrees) {
    const auto k = Coefficients<LibraryArithmetic>(Wgs84(), 45 * RadiansPerDegree);
    EXPECT_NEAR(k.k1, 4982950.4001750024, 1e-8);
    EXPECT_NEAR(k.k2, 3752.6484853471698, 1e-9);
    EXPECT_NEAR(k.k3, 1.4812270518209272, 1e-12);
    EXPECT_NEAR(k.k4, 218931.37877838812, 1e-9);
    EXPECT_NEAR(k.k5, 0.14450203815955483, 1e-12);
}

} // namespace
} // namespace korvane
