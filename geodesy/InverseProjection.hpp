#pragma once

#include "geodesy/Coordinates.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/InverseTerms.hpp"
#include "geodesy/Modn.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace korvane {

// The latitude south-negative and the longitude east-positive, not brought into -180..180. Fails
// with an overflow when the zone is outside -5430..5461, and with a floating-point failure at
// the first step that divides by zero, overflows or has no defined result.
GeodeticPosition ProjectFromUtm(const UtmCoordinate& utm, const InverseTerms& terms);

// The position to write texts from, far sooner: the series with quick arithmetic where every text
// and decision of kInverseTurningPoints surely comes out as from ProjectFromUtm's position, and
// ProjectFromUtm's position anywhere else. The texts are the library's; the last bits of the
// numbers may not be. Fails as ProjectFromUtm fails.
GeodeticPosition ProjectFromUtmForTexts(const UtmCoordinate& utm, const InverseTerms& terms);

// Inside a zone and short of the poles the quick arithmetic moves a latitude or a longitude by a
// few units in the last place, up to about 1.2e-13 degree, as the tests measure on every
// ellipsoid (measured, not proven). ProjectFromUtmForTexts takes the quick position only where it
// lies further than this from every turning point, a margin some 80 times the drift.
inline constexpr double kQuickInverseDrift = 1e-11; // degrees

// 6 * zone - 183 in 16-bit arithmetic, or 3 for a negative zone.
std::int16_t InverseCentralMeridian(std::int16_t zone);

// Which angles a set of turning points holds for: the latitude and the longitude, or the
// latitude alone.
enum class TurningOf { Both, Latitude };

// The points where a text or a decision made from an inverse position turns: first + k * every
// for whole k from first up to last, each with the points eitherSide degrees below and above it.
// Every set is the same on both sides of the equator and of Greenwich, so the angles' sizes are
// what is measured against them.
struct TurningPoints {
    constexpr TurningPoints(TurningOf angles, double firstPoint, double step, double lastPoint,
                            double besides)
        : of(angles), first(firstPoint), every(step), eitherSide(besides),
          perDegree(step == 0 ? 0 : 1 / step),
          lastStep(step == 0 ? 0 : (lastPoint - firstPoint) / step) {}

    // The point nearest to the size of an angle.
    double Nearest(double size) const {
        const double steps = std::clamp(Int((size - first) * perDegree + 0.5), 0.0, lastStep);
        const double point = first + steps * every;
        const double off = size - point;
        return std::fabs(off) > eitherSide / 2 ? point + std::copysign(eitherSide, off) : point;
    }

    TurningOf of;
    double first;
    double every; // degrees; 0 for first alone
    double eitherSide;
    double perDegree;
    double lastStep; // how many steps from the first point to the last
};

inline constexpr double kNoLast = std::numeric_limits<double>::infinity();
inline constexpr double kPoleCheck = 90 + kBandEdgeTolerance; // a latitude shown may not pass it

// The window's and korvane-batch's texts and decisions, each the same for a latitude counted
// towards either hemisphere, row by row: the boxes' degrees and minutes (and the longitude's
// letter, at 0); their seconds, at half hundredths; the nine-decimal degrees, at half units; the
// band letter with the band check either side, at 0 to 72 by 8 and at 84 (C and X span twelve
// degrees, so nothing turns at 80); the pole check.
// clang-format off
inline constexpr TurningPoints kInverseTurningPoints[] = {
    // of                 first         every         last          either side
    {TurningOf::Both,     0,            1.0 / 60,     kNoLast,      0},
    {TurningOf::Both,     0.5 / 360000, 1.0 / 360000, kNoLast,      0},
    {TurningOf::Both,     0.5e-9,       1e-9,         kNoLast,      0},
    {TurningOf::Latitude, 0,            8,            72,           kBandEdgeTolerance},
    {TurningOf::Latitude, 84,           0,            84,           kBandEdgeTolerance},
    {TurningOf::Latitude, kPoleCheck,   0,            kPoleCheck,   0},
};
// clang-format on

} // namespace korvane
