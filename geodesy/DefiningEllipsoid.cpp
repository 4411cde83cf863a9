#include "geodesy/DefiningEllipsoid.hpp"

#include "geodesy/Failure.hpp"

#include <array>
#include <string>

namespace korvane {

namespace {

constexpr double PolarRadius(double a, double inverseFlattening) {
    return a * (1 - 1 / inverseFlattening);
}

// clang-format off
constexpr std::array<DefiningEllipsoid, 14> kEllipsoids{{
    {"WGS 84",              "WGS 84",                          7030, 6378137,     PolarRadius(6378137, 298.257223563)},
    {"NAD 83",              "GRS 1980",                        7019, 6378137,     PolarRadius(6378137, 298.257222101)},
    {"GRS 80",              "GRS 1980",                        7019, 6378137,     PolarRadius(6378137, 298.257222101)},
    {"WGS 72",              "WGS 72",                          7043, 6378135,     PolarRadius(6378135, 298.26)},
    {"Australian 1965",     "Australian National Spheroid",    7003, 6378160,     PolarRadius(6378160, 298.25)},
    {"Krasovsky 1940",      "Krassowsky 1940",                 7024, 6378245,     PolarRadius(6378245, 298.3)},
    {"North American 1927", "Clarke 1866",                     7008, 6378206.4,   6356583.8},
    {"International 1924",  "International 1924",              7022, 6378388,     PolarRadius(6378388, 297)},
    {"Hayford 1909",        "International 1924",              7022, 6378388,     PolarRadius(6378388, 297)},
    {"Clarke 1880",         "Clarke 1880 (RGS)",               7012, 6378249.145, PolarRadius(6378249.145, 293.465)},
    {"Clarke 1866",         "Clarke 1866",                     7008, 6378206.4,   6356583.8},
    {"Airy 1830",           "Airy 1830",                       7001, 6377563.396, PolarRadius(6377563.396, 299.3249646)},
    {"Bessel 1841",         "Bessel 1841",                     7004, 6377397.155, PolarRadius(6377397.155, 299.1528128)},
    {"Everest 1830",        "Everest 1830 (1937 Adjustment)",  7015, 6377276.345, PolarRadius(6377276.345, 300.8017)},
}};
// clang-format on

} // namespace

const DefiningEllipsoid& DefiningEllipsoidAt(int listPosition) {
    if (listPosition < 0 || listPosition >= static_cast<int>(kEllipsoids.size())) {
        throw SubscriptFailure("defining ellipsoid", "list position " +
                                                         std::to_string(listPosition) +
                                                         " is outside 0..13");
    }
    return kEllipsoids[static_cast<std::size_t>(listPosition)];
}

} // namespace korvane
