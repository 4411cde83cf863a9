#include "geodesy/DatumTable.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/ForwardSeries.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/InverseProjection.hpp"
#include "geodesy/Rounding.hpp"
#include "support/PropertyPoints.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace korvane {
namespace {

// A million random points per ellipsoid, unless the build asks for fewer.
long PointsPerEllipsoid() {
    return PropertyPoints(1000000);
}

struct RandomPoint {
    double latitude;
    double offset; // from the zone's central meridian, inside the zone
    int zone;
};

class RandomPoints {
  public:
    explicit RandomPoints(unsigned seed) : engine_(seed) {}

    RandomPoint Next() { return {latitude_(engine_), offset_(engine_), zone_(engine_)}; }

  private:
    std::mt19937_64 engine_;
    std::uniform_real_distribution<double> latitude_{-80.0, 84.0};
    std::uniform_real_distribution<double> offset_{-2.9999, 2.9999};
    std::uniform_int_distribution<int> zone_{1, 60};
};

Hemisphere HemisphereOf(double latitude) {
    return latitude < 0 ? Hemisphere::South : Hemisphere::North;
}

double CentralMeridianOf(int zone) {
    return 6.0 * zone - 183;
}

// Forward then inverse returns the start within 0.005 seconds of arc: over a regular grid of
// every zone's interior up to its edges, then over random points, on every ellipsoid.
TEST(Properties, ForwardThenInverseReturnsTheStart) {
    constexpr double kTolerance = 0.005 / 3600;
    double worst = 0;
    for (const auto& datum : ListedDatums()) {
        const ForwardTerms forward(datum);
        const InverseTerms inverse(datum);
        const auto returns = [&](double latitude, double longitude, int zone) {
            const auto utm =
                ProjectToUtm({latitude, longitude}, HemisphereOf(latitude), forward).utm;
            const auto back = ProjectFromUtm(utm, inverse);
            const double error = std::max(std::fabs(back.latitude - latitude),
                                          std::fabs(back.longitude - longitude));
            worst = std::max(worst, error);
            if (utm.zone != zone || error > kTolerance) {
                ADD_FAILURE() << datum.listName << ": " << latitude << ", " << longitude
                              << " in zone " << utm.zone << " came back as " << back.latitude
                              << ", " << back.longitude;
                return false;
            }
            return true;
        };
        for (int zone = 1; zone <= 60; ++zone) {
            for (const double offset : {-2.95, -2.1, -0.75, 0.0, 0.4, 1.6, 2.95}) {
                for (double latitude = -80; latitude <= 84; latitude += 3.7) {
                    ASSERT_TRUE(returns(latitude, CentralMeridianOf(zone) + offset, zone));
                }
            }
        }
        RandomPoints points(1);
        for (long i = 0; i < PointsPerEllipsoid(); ++i) {
            const RandomPoint p = points.Next();
            ASSERT_TRUE(returns(p.latitude, CentralMeridianOf(p.zone) + p.offset, p.zone));
        }
    }
    RecordProperty("worst_seconds", std::to_string(worst * 3600));
}

TEST(Properties, EastAndWestOfTheCentralMeridianAreMirrorImages) {
    for (const auto& datum : ListedDatums()) {
        const ForwardTerms forward(datum);
        RandomPoints points(2);
        for (long i = 0; i < PointsPerEllipsoid(); ++i) {
            const RandomPoint p = points.Next();
            const double meridian = CentralMeridianOf(p.zone);
            const double offset = std::fabs(p.offset);
            const auto hemisphere = HemisphereOf(p.latitude);
            const auto east =
                ProjectToUtm({p.latitude, meridian + offset}, hemisphere, forward).utm;
            const auto west =
                ProjectToUtm({p.latitude, meridian - offset}, hemisphere, forward).utm;
            if (std::fabs(east.easting + west.easting - 1000000) > 0.0100001 ||
                east.northing != west.northing) {
                FAIL() << datum.listName << " at " << p.latitude << ", " << meridian << " +- "
                       << offset << ": eastings " << east.easting << " and " << west.easting;
            }
        }
    }
}

TEST(Properties, NorthAndSouthMirrorThroughTheFalseNorthing) {
    for (const auto& datum : ListedDatums()) {
        const ForwardTerms forward(datum);
        RandomPoints points(3);
        for (long i = 0; i < PointsPerEllipsoid(); ++i) {
            const RandomPoint p = points.Next();
            const double latitude = std::fabs(p.latitude);
            const double longitude = CentralMeridianOf(p.zone) + p.offset;
            const auto north = ProjectToUtm({latitude, longitude}, Hemisphere::North, forward).utm;
            const auto south = ProjectToUtm({-latitude, longitude}, Hemisphere::South, forward).utm;
            if (std::fabs(north.northing + south.northing - 10000000) > 0.0100001 ||
                north.easting != south.easting) {
                FAIL() << datum.listName << " at +-" << latitude << ", " << longitude
                       << ": northings " << north.northing << " and " << south.northing;
            }
        }
    }
}

TEST(Properties, GridDigitsAreTheTruncatedEastingAndNorthing) {
    for (const auto& datum : ListedDatums()) {
        const ForwardTerms forward(datum);
        RandomPoints points(4);
        for (long i = 0; i < PointsPerEllipsoid(); ++i) {
            const RandomPoint p = points.Next();
            const double longitude = CentralMeridianOf(p.zone) + p.offset;
            const auto utm =
                ProjectToUtm({p.latitude, longitude}, HemisphereOf(p.latitude), forward).utm;
            const std::string text(
                GridReference(utm.zone, BandLetter(p.latitude), utm.easting, utm.northing));
            char digits[16];
            std::snprintf(digits, sizeof digits, "%05lld  %05lld",
                          static_cast<long long>(std::floor(utm.easting)) % 100000,
                          static_cast<long long>(std::floor(utm.northing)) % 100000);
            if (text.substr(text.size() - 12) != digits) {
                FAIL() << text << " for easting " << utm.easting << ", northing " << utm.northing;
            }
        }
    }
}

// The whole latitude range and the whole zone: one point in ten on a pole, one on an edge.
GeodeticPosition AnyPointOfZone(std::mt19937_64& engine, int zone) {
    std::uniform_real_distribution<double> latitude(-90.0, 90.0);
    std::uniform_real_distribution<double> offset(-3.0, 3.0);
    const int kind = std::uniform_int_distribution<int>(0, 9)(engine);
    const double lat = kind == 0 ? std::copysign(90.0, latitude(engine)) : latitude(engine);
    const double off = kind == 1 ? std::copysign(3.0, offset(engine)) : offset(engine);
    return {lat, CentralMeridianOf(zone) + off};
}

TEST(Properties, QuickArithmeticDriftsFarLessThanItsMargin) {
    std::mt19937_64 engine(5);
    double largest = 0;
    for (const auto& datum : ListedDatums()) {
        const ForwardTerms forward(datum);
        for (long i = 0; i < PointsPerEllipsoid() / 4; ++i) {
            const int zone = 1 + static_cast<int>(i % 60);
            const auto meridian = static_cast<std::int16_t>(CentralMeridianOf(zone));
            const GeodeticPosition p = AnyPointOfZone(engine, zone);
            const auto hemisphere = HemisphereOf(p.latitude);
            const auto exact = Series<LibraryArithmetic>(p, hemisphere, forward, meridian);
            const auto quick = Series<QuickArithmetic>(p, hemisphere, forward, meridian);
            largest = std::max({largest, std::fabs(quick.easting - exact.easting),
                                std::fabs(quick.northing - exact.northing)});
        }
    }
    EXPECT_LT(largest, kQuickSeriesDrift / 100);
}

// A latitude or longitude nudged until the series with the library's arithmetic lands within a few
// nanometres of a point where rounding to hundredths changes: there the quick arithmetic must not
// be trusted.
GeodeticPosition NearARoundingPoint(GeodeticPosition p, std::int16_t meridian,
                                    const ForwardTerms& forward, bool northing) {
    const auto hemisphere = HemisphereOf(p.latitude);
    const auto value = [&](GeodeticPosition q) {
        const auto grid = Series<LibraryArithmetic>(q, hemisphere, forward, meridian);
        return northing ? grid.northing : grid.easting;
    };
    double& moved = northing ? p.latitude : p.longitude;
    const double target = (std::floor(value(p) * 100) + 0.5) / 100;
    for (int step = 0; step < 4; ++step) {
        GeodeticPosition nearby = p;
        (northing ? nearby.latitude : nearby.longitude) += 1e-6;
        const double slope = (value(nearby) - value(p)) / 1e-6;
        moved += (target - value(p)) / slope;
    }
    return p;
}

// Within the margin of a rounding point the quick arithmetic is not trusted; the projection must
// still round as the library's arithmetic does.
TEST(Properties, NextToRoundingPointsTheProjectionRoundsAsTheLibraryDoes) {
    std::mt19937_64 engine(6);
    std::uniform_real_distribution<double> latitude(-79.0, 83.0);
    std::uniform_real_distribution<double> offset(-2.9, 2.9);
    int withinMargin = 0;
    for (const auto& datum : ListedDatums()) {
        const ForwardTerms forward(datum);
        for (int i = 0; i < 2000; ++i) {
            const int zone = 1 + i % 60;
            const auto meridian = static_cast<std::int16_t>(CentralMeridianOf(zone));
            const bool northing = i % 2 == 0;
            const GeodeticPosition p = NearARoundingPoint(
                {latitude(engine), meridian + offset(engine)}, meridian, forward, northing);
            const auto hemisphere = HemisphereOf(p.latitude);
            const auto exact = Series<LibraryArithmetic>(p, hemisphere, forward, meridian);
            const double nudged = northing ? exact.northing : exact.easting;
            if (std::fabs(nudged - (std::floor(nudged * 100) + 0.5) / 100) < kQuickSeriesDrift) {
                ++withinMargin;
            }
            const auto utm = ProjectToUtm(p, hemisphere, forward).utm;
            ASSERT_EQ(utm.northing, RoundToHundredths(exact.northing))
                << p.latitude << ", " << p.longitude;
            ASSERT_EQ(utm.easting, RoundToHundredths(exact.easting))
                << p.latitude << ", " << p.longitude;
        }
    }
    // The nudging must really reach the rounding points, or the test proves nothing.
    EXPECT_EQ(withinMargin, 2000 * static_cast<int>(ListedDatums().size()));
}

} // namespace
} // namespace korvane
