#include "geodesy/InverseProjection.hpp"

#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/InverseSeries.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace korvane {
namespace {

const InverseTerms& Wgs84() {
    static const InverseTerms terms(DatumForListPosition(0));
    return terms;
}

UtmCoordinate Utm(double northing, double easting, int zone, Hemisphere hemisphere) {
    return {static_cast<std::int16_t>(zone), hemisphere, easting, northing};
}

struct InverseCase {
    double northing;
    double easting;
    int zone;
    Hemisphere hemisphere;
    double latitude;
    double longitude;
};

TEST(ProjectFromUtm, GivesTheTableOfKnownPositionsOnWgs84) {
    const auto N = Hemisphere::North;
    const auto S = Hemisphere::South;
    // clang-format off
    const InverseCase cases[] = {
        {1755352.105, 402336.0, 38, N, 15.8752781, 44.0877772},
        {1755355.43, 402339.35, 38, N, 15.8753083, 44.0878083},
        {4982950.40, 500000, 31, N, 45.0000000, 3.0000000},
        {0, 500000, 31, N, 0.0000000, 3.0000000},
        {10000000, 500000, 31, S, 0.0000000, 3.0000000},
        {8244644.57, 597660.65, 23, S, -15.8753083, -44.0878083},
        {6251925.36, 334416.39, 56, S, -33.8600000, 151.2100000},
        {4505935.87, 584482.35, 18, N, 40.7000000, -74.0000000},
        {0, 166021.55, 31, N, 0.0000000, 0.0000010},
        {9997964.94, 500000, 31, N, 90.0000000, 3.0000000},
        {1755352.105, 402336.0, 0, N, 15.8752781, -183.9122228},
        {1755352.105, 402336.0, -1, N, 15.8752781, 2.0877772},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.northing << " " << c.easting << " " << c.zone);
        const auto position =
            ProjectFromUtm(Utm(c.northing, c.easting, c.zone, c.hemisphere), Wgs84());
        EXPECT_NEAR(position.latitude, c.latitude, 5e-8);
        EXPECT_NEAR(position.longitude, c.longitude, 5e-8);
    }
}

TEST(ProjectFromUtm, FortyFiveDegreesComesOutJustUnder) {
    const auto position = ProjectFromUtm(Utm(4982950.40, 500000, 31, Hemisphere::North), Wgs84());
    EXPECT_NEAR(position.latitude, 44.99999999745, 5e-12);
    EXPECT_LT(position.latitude, 45);
}

TEST(ProjectFromUtm, EverestGivesItsOwnPosition) {
    const auto position = ProjectFromUtm(Utm(1755352.105, 402336.0, 38, Hemisphere::North),
                                         InverseTerms(DatumForListPosition(13)));
    EXPECT_NEAR(position.latitude, 15.8765499, 5e-8);
    EXPECT_NEAR(position.longitude, 44.0876464, 5e-8);
}

TEST(ProjectFromUtm, EastingOnTheCentralMeridianGivesItsLongitude) {
    for (double northing : {0.0, 1234567.0, 5555555.5, 9000000.0}) {
        const auto steps = InverseSeries<LibraryArithmetic>(
            Utm(northing, 500000, 31, Hemisphere::North), Wgs84(), 3);
        EXPECT_EQ(steps.d, 0);
        EXPECT_EQ(steps.longitudeDegrees, 3);
    }
}

// Relative agreement to twelve significant digits.
void ExpectTwelveDigits(double actual, double expected, const char* name) {
    EXPECT_LE(std::fabs(actual - expected), 5e-12 * std::fabs(expected)) << name << " " << actual;
}

TEST(InverseSeries, IntermediateValuesOfTheFirstRow) {
    const InverseTerms& terms = Wgs84();
    ExpectTwelveDigits(terms.e, 0.0818191909289, "e");
    ExpectTwelveDigits(terms.secondEccSquared, 0.00673949675659, "e'2");
    ExpectTwelveDigits(terms.e1, 0.00167922038994, "e1");
    ExpectTwelveDigits(terms.j1, 0.00251882658972, "J1");
    ExpectTwelveDigits(terms.j2, 3.70094905128e-6, "J2");
    ExpectTwelveDigits(terms.j3, 7.44781381479e-9, "J3");
    ExpectTwelveDigits(terms.j4, 1.70359933828e-11, "J4");
    EXPECT_EQ(InverseCentralMeridian(38), 45);
    const auto s = InverseSeries<LibraryArithmetic>(
        Utm(1755352.105, 402336.0, 38, Hemisphere::North), terms, 45);
    ExpectTwelveDigits(s.m, 1756054.52681, "M");
    ExpectTwelveDigits(s.mu, 0.275786187932, "mu");
    ExpectTwelveDigits(s.phi1, 0.277109432264, "phi1");
    ExpectTwelveDigits(s.c1, 0.00623508517067, "C1");
    ExpectTwelveDigits(s.t1, 0.0808989086937, "T1");
    ExpectTwelveDigits(s.n1, 6379735.43518, "N1");
    ExpectTwelveDigits(s.r1, 6340203.72495, "R1");
    ExpectTwelveDigits(s.d, 0.0153145976389, "D");
}

TEST(ProjectFromUtm, ZoneLimitsOfSixteenBitCentralMeridian) {
    const auto at = [](int zone) {
        return ProjectFromUtm(Utm(1755352.105, 402336.0, zone, Hemisphere::North), Wgs84());
    };
    EXPECT_NO_THROW(at(5461));
    EXPECT_NO_THROW(at(-5430));
    EXPECT_THROW(at(5462), OverflowFailure);  // 6 * 5462 leaves 16 bits
    EXPECT_THROW(at(-5431), OverflowFailure); // 6 * -5431 - 183 leaves 16 bits
    EXPECT_EQ(InverseCentralMeridian(0), -183);
    EXPECT_EQ(InverseCentralMeridian(-7), 3);
    EXPECT_EQ(InverseCentralMeridian(60), 177);
}

TEST(InverseTerms, EmptyDatumRowFailsAtTheEccentricity) {
    try {
        const InverseTerms terms(DatumForListPosition(-1));
        FAIL();
    } catch (const FloatingPointFailure& failure) {
        EXPECT_EQ(failure.Step(), "eccentricity");
    }
}

TEST(ProjectFromUtm, NorthingsBeyondThePoleAreNotRejected) {
    const auto position = ProjectFromUtm(Utm(10700000, 500000, 31, Hemisphere::North), Wgs84());
    EXPECT_GT(position.latitude, 96);
    EXPECT_THROW(
        ProjectFromUtm(Utm(std::numeric_limits<double>::max(), 500000, 31, Hemisphere::North),
                       Wgs84()),
        FloatingPointFailure);
}

// The quick arithmetic drifts far less than the margin the texts allow it, where it is used:
// within 450 km of the central meridian and 500 km of the poles, on every ellipsoid.
TEST(InverseSeries, QuickArithmeticDriftsFarLessThanItsMargin) {
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
            const std::int16_t meridian = InverseCentralMeridian(utm.zone);
            const InverseSteps quick = InverseSeries<QuickArithmetic>(utm, terms, meridian);
            const InverseSteps library = InverseSeries<LibraryArithmetic>(utm, terms, meridian);
            largest = std::max({largest, std::fabs(quick.latitudeDegrees - library.latitudeDegrees),
                                std::fabs(quick.longitudeDegrees - library.longitudeDegrees)});
        }
    }
    EXPECT_LT(largest, kQuickInverseDrift / 40);
}

// The position for texts fails where the library's fails, and in the same way.
TEST(ProjectFromUtmForTexts, FailsAsTheLibrarysSeriesFails) {
    const double kHuge = std::numeric_limits<double>::max();
    for (const UtmCoordinate& utm :
         {Utm(1755352.105, 402336.0, 5462, Hemisphere::North),
          Utm(kHuge, 500000, 31, Hemisphere::North), Utm(5000000, kHuge, 31, Hemisphere::South)}) {
        EXPECT_THROW(ProjectFromUtm(utm, Wgs84()), ComputationFailure);
        try {
            ProjectFromUtmForTexts(utm, Wgs84());
            ADD_FAILURE() << utm.northing << " " << utm.easting << " " << utm.zone;
        } catch (const ComputationFailure& failure) {
            try {
                ProjectFromUtm(utm, Wgs84());
            } catch (const ComputationFailure& library) {
                EXPECT_EQ(std::string(failure.what()), library.what());
            }
        }
    }
}

} // namespace
} // namespace korvane
