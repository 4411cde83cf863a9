#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace korvane {

// One reference ellipsoid, given by its two radii only.
struct DatumEntry {
    std::string_view listName;
    std::string_view reportLabel; // the list name and its run of trailing blanks
    double a = 0;                 // equatorial radius, metres
    double b = 0;                 // polar radius, metres
};

inline constexpr int kDatumRows = 15; // row 0 stays empty; rows 1..14 are the ellipsoids

using DatumTable = std::array<DatumEntry, kDatumRows>;

// The fourteen ellipsoids in list order, behind the empty row 0.
const DatumTable& StandardDatumTable();

// The fourteen list names in list order: list position k names row k + 1.
std::span<const DatumEntry> ListedDatums();

// The first eccentricity (1 - (b / a)^2)^0.5, as the windows' forward and inverse series take it.
// The empty row, without radii, is a floating-point failure.
double Eccentricity(const DatumEntry& datum);

// The list position of the ellipsoid with this list name, or nothing for another name.
std::optional<int> ListPositionOf(std::string_view listName);

// The row that the datum list's position selects: position + 1 in 16-bit arithmetic, so no
// selection (-1) gives the empty row 0. A row outside 0..14 is a subscript failure.
const DatumEntry& DatumForListPosition(std::int16_t position);

// One degree in radians, from pi written to fourteen decimals (never a library pi: the results
// follow from this value, bit pattern 3F91DF46A2529D34).
inline constexpr double RadiansPerDegree = 3.14159265358979 / 180;

// One second of arc in radians, used as the sine of one second by the forward series.
inline constexpr double SinOneSecond = 4.84813681109536E-06;

// Texts indexed by band position; positions 3 to 21 hold "D" to "X" without "I" and "O".
inline constexpr int kBandPositions = 24;
extern const std::array<std::string_view, kBandPositions> BandLetters;

// Int(latitude / 8) + 12: the position in BandLetters of the latitude's 8-degree band; a
// latitude beyond the table (beyond -96..96 degrees) is a subscript failure.
int BandPosition(double latitude);

} // namespace korvane
