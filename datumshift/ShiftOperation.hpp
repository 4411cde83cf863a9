#pragma once

#include "datumshift/AreaOfUse.hpp"

#include <optional>
#include <string>

namespace korvane {

// One transformation from one datum to another, of those PROJ's database gives for the pair, as
// the front ends describe it.
struct ShiftOperation {
    std::string name;               // "Inverse of ED50 to WGS 84 (17)"
    std::string code;               // "INVERSE(EPSG):1275"; empty for one PROJ makes up
    std::optional<double> accuracy; // metres, where the database states it
    bool ballpark = false;          // a guess PROJ makes where it knows no transformation: it
                                    // may be off by hundreds of metres
    bool usesGrids = false;         // interpolates in shift grids (installed from proj-data)
    std::optional<AreaOfUse> area;

    // "Inverse of ED50 to WGS 84 (17) (INVERSE(EPSG):1275), accuracy 2 m, in France - onshore
    // and offshore, mainland and Corsica (west -9.86, south 41.15, east 10.38, north 51.56)".
    std::string Describe() const;
};

} // namespace korvane
