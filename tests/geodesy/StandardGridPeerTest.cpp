// The standard grid beside GeographicLib: the transverse Mercator series against the exact
// projection (TransverseMercatorExact), UTM/UPS against UTMUPS and MGRS against MGRS, on random
// points over the UTM zones and 3 degrees beyond their edges, and over the polar caps.

#include "geodesy/DatumTable.hpp"
#include "geodesy/MgrsReading.hpp"
#include "geodesy/MgrsReference.hpp"
#include "geodesy/UtmUps.hpp"
#include "support/PropertyPoints.hpp"
#include "support/StandardWgs84.hpp"

#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/TransverseMercatorExact.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace korvane {
namespace {

// Points per case, unless the build asks for fewer: the exact projection takes some
// microseconds a point, so a few thousand keep the run to seconds, under the sanitizers too.
long Points() {
    return PropertyPoints(4000);
}

struct Ellipsoid {
    std::string name;
    double a;
    double b;
};

// The fourteen of the windows' list, and EPSG's exact axes of some others.
std::vector<Ellipsoid> Ellipsoids() {
    std::vector<Ellipsoid> all;
    for (const auto& datum : ListedDatums()) {
        all.push_back({std::string(datum.listName), datum.a, datum.b});
    }
    const auto byFlattening = [](const char* name, double a, double inverse) {
        return Ellipsoid{name, a, a * (1 - 1 / inverse)};
    };
    all.push_back(byFlattening("Clarke 1880 (IGN)", 6378249.2, 293.4660212936269));
    all.push_back(byFlattening("Clarke 1880 (RGS)", 6378249.145, 293.465));
    all.push_back(byFlattening("Everest 1830 (1967 definition)", 6377298.556, 300.8017));
    all.push_back(byFlattening("WGS 84 exactly", 6378137, 298.257223563));
    return all; // no sphere: the exact projection takes none (its own tests check one)
}

class RandomPositions {
  public:
    explicit RandomPositions(unsigned seed) : engine_(seed) {}

    // Over the UTM latitudes, up to `beyond` degrees past a zone's edge (3 inside it).
    std::pair<GeodeticPosition, int> InZone(double beyond) {
        const int zone = std::uniform_int_distribution<int>(1, 60)(engine_);
        const double offset =
            std::uniform_real_distribution<double>(-3 - beyond, 3 + beyond)(engine_);
        const double latitude = std::uniform_real_distribution<double>(-80, 84)(engine_);
        return {{latitude, CentralMeridianOfZone(zone) + offset}, zone};
    }

    GeodeticPosition Anywhere(double south, double north) {
        return {std::uniform_real_distribution<double>(south, north)(engine_),
                std::uniform_real_distribution<double>(-180, 180)(engine_)};
    }

  private:
    std::mt19937_64 engine_;
};

double LongitudeDifference(double a, double b) {
    return std::fabs(std::remainder(a - b, 360.0));
}

// The error of the series against the exact projection, forward (metres) and reverse (metres
// on the ground, from the degrees), in a zone and 3 degrees beyond its edges, and out to the
// 60 degrees of arc the grid reaches.
TEST(StandardGridPeers, TransverseMercatorWithinNanometresOfTheExactProjection) {
    struct Worst {
        double forward = 0;
        double reverse = 0;
    };
    Worst nearZones;
    Worst toTheReach;
    for (const auto& ellipsoid : Ellipsoids()) {
        SCOPED_TRACE(ellipsoid.name);
        const TransverseMercatorTerms terms(EllipsoidShape(ellipsoid.a, ellipsoid.b), kScaleFactor);
        const GeographicLib::TransverseMercatorExact exact(
            ellipsoid.a, (ellipsoid.a - ellipsoid.b) / ellipsoid.a, kScaleFactor);
        RandomPositions positions(7);
        const auto measure = [&](double latitude, double offset, Worst& worst) {
            double x = 0, y = 0;
            exact.Forward(0, latitude, offset, x, y);
            const auto point = TransverseMercatorForward(terms, latitude, offset);
            worst.forward = std::max(worst.forward, std::hypot(point.x - x, point.y - y));
            const auto back = TransverseMercatorReverse(terms, {x, y});
            const double metresPerDegree = ellipsoid.a * std::numbers::pi / 180;
            worst.reverse = std::max(
                worst.reverse,
                metresPerDegree * std::hypot(back.latitude - latitude,
                                             (back.longitudeFromCentralMeridian - offset) *
                                                 std::cos(latitude * std::numbers::pi / 180)));
        };
        for (long i = 0; i < Points(); ++i) {
            const auto [position, zone] = positions.InZone(3);
            measure(position.latitude, position.longitude - CentralMeridianOfZone(zone), nearZones);
        }
        for (long i = 0; i < Points() / 4; ++i) {
            const GeodeticPosition position = positions.Anywhere(-89.9, 89.9);
            const double offset = position.longitude / 3; // within 60 degrees
            const double arc = std::asin(std::cos(position.latitude * std::numbers::pi / 180) *
                                         std::sin(offset * std::numbers::pi / 180)) *
                               180 / std::numbers::pi;
            if (std::fabs(arc) <= kSeriesReachDegrees) {
                measure(position.latitude, offset, toTheReach);
            }
        }
    }
    EXPECT_LT(nearZones.forward, 2e-8);
    EXPECT_LT(nearZones.reverse, 2e-8);
    EXPECT_LT(toTheReach.forward, 1e-3);
    EXPECT_LT(toTheReach.reverse, 1e-3);
    std::printf("worst error against the exact projection: forward %.3g m, reverse %.3g m within "
                "3 degrees of a zone's edge; forward %.3g m, reverse %.3g m within %g degrees "
                "of arc\n",
                nearZones.forward, nearZones.reverse, toTheReach.forward, toTheReach.reverse,
                kSeriesReachDegrees);
}

// Zone, hemisphere, easting and northing as UTMUPS gives them, and back, on WGS 84: the same
// zones with the exceptions, the same series to a few nanometres.
TEST(StandardGridPeers, UtmUpsAgreesWithGeographicLib) {
    const UtmUpsTerms& terms = StandardWgs84();
    RandomPositions positions(11);
    double worstGrid = 0;
    double worstBack = 0;
    const auto compare = [&](const GeodeticPosition& position) {
        int zone = 0;
        bool north = false;
        double x = 0, y = 0;
        GeographicLib::UTMUPS::Forward(position.latitude, position.longitude, zone, north, x, y);
        const UtmUpsPosition mine = UtmUpsForward(position, terms);
        ASSERT_EQ(mine.zone, zone) << position.latitude << ", " << position.longitude;
        ASSERT_EQ(mine.hemisphere == Hemisphere::North, north);
        worstGrid = std::max(worstGrid, std::hypot(mine.easting - x, mine.northing - y));
        double latitude = 0, longitude = 0;
        GeographicLib::UTMUPS::Reverse(zone, north, x, y, latitude, longitude);
        const GeodeticPosition back = UtmUpsReverse(mine, terms);
        worstBack = std::max({worstBack, std::fabs(back.latitude - latitude),
                              LongitudeDifference(back.longitude, longitude)});
    };
    for (long i = 0; i < 4 * Points(); ++i) {
        compare(positions.Anywhere(-80, 84));
        compare(positions.Anywhere(84, 90));
        compare(positions.Anywhere(-90, -80));
        // Next to the exceptions' edges: Norway and Svalbard.
        compare(positions.Anywhere(55.9, 64.1));
        compare(positions.Anywhere(71.9, 84));
    }
    EXPECT_LT(worstGrid, 1e-8);
    EXPECT_LT(worstBack, 1e-12);
    std::printf("worst difference from UTMUPS: %.3g m forward, %.3g degree reverse\n", worstGrid,
                worstBack);
}

// Whether a coordinate lies within a micrometre of a multiple of the unit a precision writes:
// there the reference depends on rounding of the last nanometres, and either side is right.
bool NextToAnEdge(double metres, int precision) {
    const double unit = std::pow(10.0, 5 - precision);
    const double place = std::fmod(metres, unit);
    return place < 1e-6 || unit - place < 1e-6;
}

// The same texts as MGRS at every precision, and read back to the same centres, on WGS 84 with
// the AA lettering; a text that differs must have a coordinate on a digit's edge.
TEST(StandardGridPeers, MgrsAgreesWithGeographicLib) {
    const UtmUpsTerms& terms = StandardWgs84();
    RandomPositions positions(13);
    long compared = 0;
    long atEdges = 0;
    const auto compare = [&](const GeodeticPosition& position) {
        const UtmUpsPosition grid = UtmUpsForward(position, terms);
        for (int precision = 0; precision <= kMostMgrsPrecision; ++precision) {
            std::string theirs;
            GeographicLib::MGRS::Forward(grid.zone, grid.hemisphere == Hemisphere::North,
                                         grid.easting, grid.northing, position.latitude, precision,
                                         theirs);
            const std::string mine(
                MgrsReference(grid, position.latitude, precision, MgrsLettering::AA));
            ++compared;
            if (mine != theirs) {
                ++atEdges;
                ASSERT_TRUE(NextToAnEdge(grid.easting, precision) ||
                            NextToAnEdge(grid.northing, precision))
                    << position.latitude << ", " << position.longitude << ": " << mine << " beside "
                    << theirs;
                continue;
            }
            const MgrsReading reading = ReadMgrs(mine, terms, MgrsLettering::AA);
            ASSERT_TRUE(reading.Read()) << mine << ": " << reading.failure;
            int zone = 0;
            bool north = false;
            double x = 0, y = 0;
            int theirPrecision = 0;
            GeographicLib::MGRS::Reverse(theirs, zone, north, x, y, theirPrecision);
            ASSERT_EQ(reading.position.zone, zone) << mine;
            ASSERT_EQ(reading.position.hemisphere == Hemisphere::North, north) << mine;
            ASSERT_EQ(reading.position.easting, x) << mine;
            ASSERT_EQ(reading.position.northing, y) << mine;
            ASSERT_EQ(reading.precision, theirPrecision) << mine;
        }
    };
    for (long i = 0; i < Points(); ++i) {
        compare(positions.Anywhere(-80, 84));
        compare(positions.Anywhere(84, 90));
        compare(positions.Anywhere(-90, -80));
    }
    std::printf("MGRS: %ld texts compared, %ld differ, each with a coordinate within a "
                "micrometre of a digit's edge\n",
                compared, atEdges);
}

// A zone asked for: the neighbours of the standard zone, as far as UTMUPS takes them.
TEST(StandardGridPeers, ForcedZonesAgreeWithGeographicLib) {
    const UtmUpsTerms& terms = StandardWgs84();
    RandomPositions positions(17);
    double worst = 0;
    long compared = 0;
    for (long i = 0; i < 4 * Points(); ++i) {
        const auto [position, zone] = positions.InZone(3);
        int theirZone = 0;
        bool north = false;
        double x = 0, y = 0, gamma = 0, k = 0;
        try {
            GeographicLib::UTMUPS::Forward(position.latitude, position.longitude, theirZone, north,
                                           x, y, gamma, k, zone);
        } catch (const GeographicLib::GeographicErr&) {
            continue; // beyond UTMUPS's eastings; this grid goes on, as its own tests show
        }
        const UtmUpsPosition mine = UtmUpsForward(position, terms, zone);
        ASSERT_EQ(mine.zone, zone);
        worst = std::max(worst, std::hypot(mine.easting - x, mine.northing - y));
        ++compared;
    }
    EXPECT_GT(compared, Points());
    EXPECT_LT(worst, 1e-8);
}

} // namespace
} // namespace korvane
