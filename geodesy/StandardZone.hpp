#pragma once

#include "geodesy/Coordinates.hpp"

namespace korvane {

// The zone number of UPS, beside the UTM zones 1 to 60.
inline constexpr int kUpsZone = 0;

// The standard zone of a position (latitude -90..90, any finite longitude): UPS from 84 N and
// below 80 S; between them the UTM zone of the longitude's 6-degree strip, a longitude on an
// edge belonging to the zone east of it and 180 to zone 1, with the standard's exceptions:
// zone 32 widened to 3..12 E between 56 and 64 N (south-west Norway), and between 72 and 84 N
// zones 31, 33, 35 and 37 over 0..9, 9..21, 21..33 and 33..42 E (Svalbard), with no 32X, 34X
// or 36X. Fails with an invalid argument, naming the value, for anything else.
int StandardZone(const GeodeticPosition& position);

// Fails with an invalid argument of the step for a zone other than 1..60 and kUpsZone.
void CheckStandardZone(int zone, const char* step);

// 6 zone - 183 degrees, for a UTM zone 1..60.
double CentralMeridianOfZone(int zone);

} // namespace korvane
