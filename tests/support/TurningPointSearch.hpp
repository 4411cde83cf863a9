#pragma once

#include "geodesy/InverseProjection.hpp"

#include <cmath>
#include <vector>

namespace korvane {

// Every point in [low, high] where text(value) turns, to within 1e-13 degree, for a text that is
// the same at both ends of a stretch only where it is the same all through it.
template <class Text>
void FindTurningPoints(const Text& text, double low, double high, std::vector<double>& found) {
    if (text(low) == text(high)) {
        return;
    }
    const double middle = low + (high - low) / 2;
    if (high - low < 1e-13 || middle == low || middle == high) {
        found.push_back(middle);
        return;
    }
    FindTurningPoints(text, low, middle, found);
    FindTurningPoints(text, middle, high, found);
}

// Whether a latitude or a longitude lies on a point of kInverseTurningPoints, as near as the
// points can be worked out.
inline bool OnTurningPoint(double value, bool latitude) {
    for (const TurningPoints& points : kInverseTurningPoints) {
        if ((latitude || points.of == TurningOf::Both) &&
            std::fabs(std::fabs(value) - points.Nearest(std::fabs(value))) < 1e-12) {
            return true;
        }
    }
    return false;
}

} // namespace korvane
