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

// The points where a text or a decision made from an inverse position turns, for the latitude
// alone or for the longitude too: first + k * every for whole k from first up to last, each
// with the points eitherSide degrees below and above it. Every set is the same on both sides of
// the equator and of Greenwich, so the angles' sizes are what is measured against them.
struct TurningPoints {
    enum class Of { Both, Latitude };

    constexpr TurningPoints(const char* whatTurns, Of angles, double firstPoint, double step,
                            double lastPoint, double besides)
        : what(whatTurns), of(angles), first(firstPoint), every(step), last(lastPoint),
          eitherSide(besides), perDegree(step == 0 ? 0 : 1 / step),
          lastStep(step == 0 ? 0 : (lastPoint - firstPoint) / step) {}

    // The point nearest to the size of an angle.
    double Nearest(double size) const {
        const double steps = std::clamp(Int((size - first) * perDegree + 0.5), 0.0, lastStep);
        const double point = first + steps * every;
        const double off = size - point;
        return std::fabs(off) > eitherSide / 2 ? point + std::copysign(eitherSide, off) : point;
    }

    const char* what;
    Of of;
    double first;
    double every; // degrees; 0 for first alone
    double last;
    double eitherSide;
    double perDegree;
    double lastStep;
};

inline constexpr double kNoLast = std::numeric_limits<double>::infinity();

// The window's and korvane-batch's texts and decisions, each the same for a latitude counted
// towards either hemisphere: the boxes' degrees and minutes turn at whole minutes (and the
// longitude's letter at 0), their seconds at half hundredths; the nine-decimal degrees at half
// units of the ninth decimal; the band letter at -84, -72, the multiples of 8 between and 84 (C
// and X span 12 degrees: nothing turns at 80), and the band check kBandEdgeTolerance either side
// of each; the pole check kBandEdgeTolerance past the pole.
// clang-format off
inline constexpr TurningPoints kInverseTurningPoints[] = {
    // what turns                           of                        first                    every         last                     either side
    {"the boxes' degrees and minutes",      TurningPoints::Of::Both,     0,                       1.0 / 60,     kNoLast,                 0},
    {"the boxes' seconds in hundredths",    TurningPoints::Of::Both,     0.5 / 360000,            1.0 / 360000, kNoLast,                 0},
    {"nine-decimal degrees",                TurningPoints::Of::Both,     0.5e-9,                  1e-9,         kNoLast,                 0},
    {"the band letter and the band check",  TurningPoints::Of::Latitude, 0,                       8,            72,                      kBandEdgeTolerance},
    {"the band letter and the band check",  TurningPoints::Of::Latitude, 84,                      0,            84,                      kBandEdgeTolerance},
    {"the pole check",                      TurningPoints::Of::Latitude, 90 + kBandEdgeTolerance, 0,            90 + kBandEdgeTolerance, 0},
};
// clang-format on

} // namespace korvane
