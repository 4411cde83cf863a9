#include "geodesy/StandardZone.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/ValueText.hpp"

#include <cmath>
#include <string>

namespace korvane {

void CheckStandardZone(int zone, const char* step) {
    if (zone < kUpsZone || zone > 60) {
        throw InvalidArgumentFailure(step, "zone " + std::to_string(zone) +
                                               " is outside 1 to 60 and 0 for UPS");
    }
}

int StandardZone(const GeodeticPosition& position) {
    const double latitude = position.latitude;
    if (!(std::fabs(latitude) <= 90)) {
        throw InvalidArgumentFailure("standard zone",
                                     "latitude " + ValueText(latitude) + " is outside -90 to 90");
    }
    if (!std::isfinite(position.longitude)) {
        throw InvalidArgumentFailure("standard zone", "longitude " + ValueText(position.longitude) +
                                                          " is not a number of degrees");
    }
    if (latitude < -80 || latitude >= 84) {
        return kUpsZone;
    }
    // The whole degrees east of -180, 0..359: the exceptions' edges are whole degrees.
    double longitude = std::remainder(position.longitude, 360.0); // exact, -180..180
    if (longitude == 180) {
        longitude = -180;
    }
    const int degrees = static_cast<int>(std::floor(longitude)); // -180..179
    int zone = (degrees + 186) / 6;
    if (latitude >= 56 && latitude < 64 && zone == 31 && degrees >= 3) {
        zone = 32;
    } else if (latitude >= 72 && degrees >= 0 && degrees < 42) {
        zone = 2 * ((degrees + 3) / 12) + 31; // 0..8 -> 31, 9..20 -> 33, 21..32 -> 35, 33.. -> 37
    }
    return zone;
}

double CentralMeridianOfZone(int zone) {
    return 6.0 * zone - 183;
}

} // namespace korvane
