#include "datumshift/AreaOfUse.hpp"

#include "datumshift/QuotedNumber.hpp"

namespace korvane {

namespace {

// What PROJ gives for the bounds of an area that has a name but no bounding box. PROJ leaves a
// transformation with such an area out of its choice, as one without an area.
constexpr double kNoBound = -1000;

} // namespace

bool AreaOfUse::Contains(const GeodeticPosition& position) const {
    const double lon = position.longitude;
    const bool withinLongitudes =
        west <= east ? lon >= west && lon <= east : lon >= west || lon <= east;
    return withinLongitudes && position.latitude >= south && position.latitude <= north;
}

std::string AreaOfUse::Bounds() const {
    return "west " + QuotedNumber(west) + ", south " + QuotedNumber(south) + ", east " +
           QuotedNumber(east) + ", north " + QuotedNumber(north);
}

std::string AreaOfUse::Text() const {
    return name + " (" + Bounds() + ")";
}

std::optional<AreaOfUse> AreaOfUseOf(const ProjContext& context, const PJ* object) {
    AreaOfUse area;
    const char* name = nullptr;
    if (!proj_get_area_of_use(context.Get(), object, &area.west, &area.south, &area.east,
                              &area.north, &name) ||
        area.west == kNoBound) {
        return std::nullopt;
    }
    area.name = name != nullptr ? name : "";
    return area;
}

} // namespace korvane
