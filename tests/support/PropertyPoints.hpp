#pragma once

#include <algorithm>
#include <cstdlib>

namespace korvane {

// How many random points a property test takes: its own number, or fewer where
// KORVANE_PROPERTY_POINTS says so (the sanitizer build asks for fewer).
inline long PropertyPoints(long usual) {
    const char* points = std::getenv("KORVANE_PROPERTY_POINTS");
    return points != nullptr ? std::min(usual, std::atol(points)) : usual;
}

} // namespace korvane
