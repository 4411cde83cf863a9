#pragma once

#include "geodesy/Coordinates.hpp"
#include "geodesy/InverseTerms.hpp"

#include <cstdint>
#include <optional>

namespace korvane {

// The latitude south-negative and the longitude east-positive, not brought into -180..180. Fails
// with an overflow when the zone is outside -5430..5461, and with a floating-point failure at
// the first step that divides by zero, overflows or has no defined result.
GeodeticPosition ProjectFromUtm(const UtmCoordinate& utm, const InverseTerms& terms);

// Inside a zone and short of the poles the quick arithmetic moves a latitude or a longitude by a
// few units in the last place, up to about 1.2e-13 degree, as the property tests measure on
// every ellipsoid (measured, not proven). The conversion takes the quick position only where
// every text and every decision made from it stays the same this far either way, a margin some
// 80 times the drift.
inline constexpr double kQuickInverseDrift = 1e-11; // degrees

// The same series with quick arithmetic, far sooner: a position within kQuickInverseDrift of
// ProjectFromUtm's, or nothing where that was not measured to hold (beyond 450 km of the central
// meridian, within 500 km of a pole) or where the series fails.
std::optional<GeodeticPosition> QuickProjectFromUtm(const UtmCoordinate& utm,
                                                    const InverseTerms& terms);

// 6 * zone - 183 in 16-bit arithmetic, or 3 for a negative zone.
std::int16_t InverseCentralMeridian(std::int16_t zone);

} // namespace korvane
