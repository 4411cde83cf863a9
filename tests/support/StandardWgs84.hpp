#pragma once

#include "geodesy/UtmUps.hpp"

namespace korvane {

// The standard grid's terms on WGS 84 as defined (a, and the inverse flattening 298.257223563).
inline const UtmUpsTerms& StandardWgs84() {
    static const UtmUpsTerms terms(EllipsoidShape(6378137, 6378137 * (1 - 1 / 298.257223563)));
    return terms;
}

} // namespace korvane
