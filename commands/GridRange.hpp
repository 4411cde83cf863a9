#pragma once

#include "commands/UtmConversion.hpp"

#include <string>
#include <string_view>

namespace korvane {

// The grid positions that korvane-batch and the Python package answer, unlike the UTM window,
// which shows whatever comes out: zones 1 to 60, and 61, which stands for 180 degrees east
// itself; eastings whose 100 km square has a column letter in the zone, 100 to 900 km (a zone
// reaches from 166 to 834 km at the equator); northings from the equator to the pole, 0 to
// 10,000 km (the southern ones counted down from 10,000 km at the equator). Beyond them the grid
// reference would leave the alphabet and the position its zone.
enum class OffTheGrid { Not, Zone, Easting, Northing };

// Which of the position's numbers lies outside the grid's ranges first, if any.
OffTheGrid WhereOffTheGrid(const UtmNumbers& numbers);

// The range that number leaves, to follow its role and value in a message: "is outside 1 to 60
// (61 for 180 degrees east)".
std::string_view OffTheGridReason(OffTheGrid where);

// A latitude for a message, to six decimals, all its digits however far beyond a pole the
// series puts it: "90.000011".
std::string SixDecimals(double degrees);

// Whether a position converted lies beyond the pole by more than kBandEdgeTolerance (a point at
// the pole may come back a hair beyond it): an empty text, or the failure.
std::string PoleFailure(double latitude);

} // namespace korvane
