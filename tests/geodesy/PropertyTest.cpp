#include "geodesy/DatumTable.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/InverseProjection.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace korvane {
namespace {

// A million random points per ellipsoid, or what KORVANE_PROPERTY_POINTS says (the
// sanitizer build takes fewer).
long PointsPerEllipsoid() {
    const char* points = std::getenv("KORVANE_PROPERTY_POINTS");
    return points != nullptr ? std::atol(points) : 1000000;
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

TEST(Properties, ForwardThenInverseReturnsTheStart) {
    constexpr double kTolerance = 0.005 / 3600;
    for (const auto& datum : ListedDatums()) {
        RandomPoints points(1);
        for (long i = 0; i < PointsPerEllipsoid(); ++i) {
            const RandomPoint p = points.Next();
            const double longitude = CentralMeridianOf(p.zone) + p.offset;
            const auto utm =
                ProjectToUtm({p.latitude, longitude}, HemisphereOf(p.latitude), datum).utm;
            const auto back = ProjectFromUtm(utm, datum);
            if (std::fabs(back.latitude - p.latitude) > kTolerance ||
                std::fabs(back.longitude - longitude) > kTolerance) {
                FAIL() << datum.listName << ": " << p.latitude << ", " << longitude
                       << " came back as " << back.latitude << ", " << back.longitude;
            }
        }
    }
}

TEST(Properties, EastAndWestOfTheCentralMeridianAreMirrorImages) {
    for (const auto& datum : ListedDatums()) {
        RandomPoints points(2);
        for (long i = 0; i < PointsPerEllipsoid(); ++i) {
            const RandomPoint p = points.Next();
            const double meridian = CentralMeridianOf(p.zone);
            const double offset = std::fabs(p.offset);
            const auto hemisphere = HemisphereOf(p.latitude);
            const auto east = ProjectToUtm({p.latitude, meridian + offset}, hemisphere, datum).utm;
            const auto west = ProjectToUtm({p.latitude, meridian - offset}, hemisphere, datum).utm;
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
        RandomPoints points(3);
        for (long i = 0; i < PointsPerEllipsoid(); ++i) {
            const RandomPoint p = points.Next();
            const double latitude = std::fabs(p.latitude);
            const double longitude = CentralMeridianOf(p.zone) + p.offset;
            const auto north = ProjectToUtm({latitude, longitude}, Hemisphere::North, datum).utm;
            const auto south = ProjectToUtm({-latitude, longitude}, Hemisphere::South, datum).utm;
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
        RandomPoints points(4);
        for (long i = 0; i < PointsPerEllipsoid(); ++i) {
            const RandomPoint p = points.Next();
            const double longitude = CentralMeridianOf(p.zone) + p.offset;
            const auto utm =
                ProjectToUtm({p.latitude, longitude}, HemisphereOf(p.latitude), datum).utm;
            const std::string text =
                GridReference(utm.zone, BandLetter(p.latitude), utm.easting, utm.northing);
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

} // namespace
} // namespace korvane
