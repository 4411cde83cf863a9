#pragma once

#include <pybind11/pybind11.h>

namespace korvane {

// Adds to the module the standard grid's conversions over flat arrays: to_standard_grid,
// from_standard_grid and from_mgrs (see the package's to_utm, to_latlong and from_mgrs).
void AddStandardGrid(pybind11::module_& module);

} // namespace korvane
