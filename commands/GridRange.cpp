#include "commands/GridRange.hpp"

#include "geodesy/GridReference.hpp"

#include <charconv>
#include <cmath>

namespace korvane {

namespace {

constexpr double kFirstZone = 1;
constexpr double kLastZone = 61;
constexpr double kLeastEasting = 100000;
constexpr double kEastingsBelow = 900000;
constexpr double kLeastNorthing = 0;
constexpr double kMostNorthing = 10000000;

} // namespace

OffTheGrid WhereOffTheGrid(const UtmNumbers& numbers) {
    if (!(numbers.zone >= kFirstZone && numbers.zone <= kLastZone)) {
        return OffTheGrid::Zone;
    }
    if (!(numbers.easting >= kLeastEasting && numbers.easting < kEastingsBelow)) {
        return OffTheGrid::Easting;
    }
    if (!(numbers.northing >= kLeastNorthing && numbers.northing <= kMostNorthing)) {
        return OffTheGrid::Northing;
    }
    return OffTheGrid::Not;
}

std::string_view OffTheGridReason(OffTheGrid where) {
    switch (where) {
    case OffTheGrid::Zone:
        return "is outside 1 to 60 (61 for 180 degrees east)";
    case OffTheGrid::Easting:
        return "is outside 100000 to 900000, the 100 km squares a zone letters";
    case OffTheGrid::Northing:
        return "is outside 0 to 10000000, the equator to the pole";
    case OffTheGrid::Not:
        break;
    }
    return {};
}

std::string SixDecimals(double degrees) {
    char text[400]; // the longest double written with six decimals takes 316 characters
    const auto written =
        std::to_chars(text, text + sizeof text, degrees, std::chars_format::fixed, 6);
    return {text, static_cast<std::size_t>(written.ptr - text)};
}

std::string PoleFailure(double latitude) {
    if (std::fabs(latitude) <= 90 + kBandEdgeTolerance) {
        return {};
    }
    return "the position lies beyond the pole: latitude " + SixDecimals(latitude);
}

} // namespace korvane
