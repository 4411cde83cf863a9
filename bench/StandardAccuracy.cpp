// How far the standard grid's transverse Mercator (Krueger's series to n^6) lies from the exact
// projection (GeographicLib's TransverseMercatorExact), on every ellipsoid of the list as EPSG
// defines it: random points over the UTM domain, 80 S to 84 N, out to 3 degrees beyond a zone's
// edges (9 degrees from its central meridian) and, apart, to 60 degrees of arc, the reach of a
// zone asked for. The worst forward error in metres, and the worst round trip (forward, then the
// series' own reverse) in metres on the ground.
//
// Usage: korvane-standard-accuracy [POINTS_PER_ELLIPSOID]      (default 1000000)
// Writes a Markdown table to standard output.

#include "geodesy/DefiningEllipsoid.hpp"
#include "geodesy/TransverseMercator.hpp"

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>

namespace {

using namespace korvane;

constexpr double kScale = 0.9996;
constexpr double kMetresPerDegree = 111320;

struct Worst {
    double forward = 0;   // metres
    double roundTrip = 0; // metres
};

// Random points within `offset` degrees of longitude of the central meridian, or (arc) within
// that many degrees of arc.
Worst Study(const DefiningEllipsoid& ellipsoid, long points, double offset, bool arc,
            std::mt19937_64& engine) {
    const TransverseMercatorTerms terms(EllipsoidShape(ellipsoid.a, ellipsoid.b), kScale);
    const GeographicLib::TransverseMercatorExact exact(
        ellipsoid.a, (ellipsoid.a - ellipsoid.b) / ellipsoid.a, kScale, false);
    std::uniform_real_distribution<double> latitudes(-80, 84);
    std::uniform_real_distribution<double> longitudes(-offset, offset);
    Worst worst;
    for (long i = 0; i < points; ++i) {
        const double latitude = latitudes(engine);
        double longitude = longitudes(engine);
        if (arc) {
            // sin(arc) = cos(latitude) sin(longitude): beyond the reach, draw again.
            const double sine = std::cos(latitude * M_PI / 180) * std::sin(longitude * M_PI / 180);
            if (std::fabs(sine) > std::sin(offset * M_PI / 180) || std::fabs(longitude) > 90) {
                --i;
                continue;
            }
        }
        const TransverseMercatorPoint series =
            TransverseMercatorForward(terms, latitude, longitude);
        double x = 0, y = 0;
        exact.Forward(0, latitude, longitude, x, y);
        worst.forward = std::max(worst.forward, std::hypot(series.x - x, series.y - y));
        const TransverseMercatorPosition back = TransverseMercatorReverse(terms, series);
        const double east =
            (back.longitudeFromCentralMeridian - longitude) * std::cos(latitude * M_PI / 180);
        worst.roundTrip = std::max(worst.roundTrip,
                                   kMetresPerDegree * std::hypot(back.latitude - latitude, east));
    }
    return worst;
}

} // namespace

int main(int argc, char** argv) {
    const long points = argc > 1 ? std::atol(argv[1]) : 1000000;
    std::mt19937_64 engine(29);
    std::printf("| Ellipsoid (EPSG) | within 9 degrees: forward | round trip | within 60 degrees "
                "of arc: forward | round trip |\n|---|---:|---:|---:|---:|\n");
    std::set<int> studied;
    for (int position = 0; position < 14; ++position) {
        const DefiningEllipsoid& ellipsoid = DefiningEllipsoidAt(position);
        if (!studied.insert(ellipsoid.epsgCode).second) {
            continue; // the same ellipsoid under another list name
        }
        const Worst zone = Study(ellipsoid, points, 9, false, engine);
        const Worst reach = Study(ellipsoid, points / 10, 60, true, engine);
        std::printf("| %s (%d) | %.1e m | %.1e m | %.1e m | %.1e m |\n",
                    std::string(ellipsoid.name).c_str(), ellipsoid.epsgCode, zone.forward,
                    zone.roundTrip, reach.forward, reach.roundTrip);
    }
    return 0;
}
