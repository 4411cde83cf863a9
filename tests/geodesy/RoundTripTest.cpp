#include "geodesy/DatumTable.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/InverseProjection.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace korvane {
namespace {

// Forward then inverse over the interior of every zone, both hemispheres and every ellipsoid
// returns the start within 0.005 seconds of arc.
TEST(RoundTrip, ForwardThenInverseReturnsTheStart) {
    constexpr double kToleranceDegrees = 0.005 / 3600;
    const double offsets[] = {-2.95, -2.1, -0.75, 0, 0.4, 1.6, 2.95};
    double worst = 0;
    for (const auto& datum : ListedDatums()) {
        const ForwardTerms forward(datum);
        const InverseTerms inverse(datum);
        for (int zone = 1; zone <= 60; ++zone) {
            const double centralMeridian = 6.0 * zone - 183;
            for (double offset : offsets) {
                for (double latitude = -80; latitude <= 84; latitude += 3.7) {
                    const double longitude = centralMeridian + offset;
                    const auto hemisphere = latitude < 0 ? Hemisphere::South : Hemisphere::North;
                    const auto utm = ProjectToUtm({latitude, longitude}, hemisphere, forward).utm;
                    ASSERT_EQ(utm.zone, zone);
                    const auto back = ProjectFromUtm(utm, inverse);
                    const double error = std::max(std::fabs(back.latitude - latitude),
                                                  std::fabs(back.longitude - longitude));
                    worst = std::max(worst, error);
                    ASSERT_LE(error, kToleranceDegrees) << datum.listName << " zone " << zone
                                                        << " at " << latitude << ", " << longitude;
                }
            }
        }
    }
    RecordProperty("worst_seconds", std::to_string(worst * 3600));
}

} // namespace
} // namespace korvane
