#pragma once

// The letters of the standard military grid reference system (MGRS): latitude bands, and the
// columns and rows of 100 km squares in UTM zones and the UPS polar areas, as NGA/DMA TM 8358.1
// gives them.

#include <string_view>

namespace korvane {

// The two row letterings of UTM squares. AA (MGRS-New, WGS 84 and other modern ellipsoids):
// the row north of the equator is A in odd zones, F in even ones. AL (MGRS-Old), which the
// standard prescribes for the Clarke 1866, Clarke 1880 and Bessel 1841 ellipsoids: the rows
// are ten letters on, L in odd zones and R in even ones. Columns and UPS letters are the same.
enum class MgrsLettering { AA, AL };

// AL for the names of those ellipsoids, as the windows' list has them (North American 1927 is
// Clarke 1866's radii) or as EPSG's dataset does ("Clarke 1880 (RGS)", "Bessel Namibia
// (GLM)"), AA for every other name.
MgrsLettering LetteringForDatum(std::string_view name);

// The UTM latitude bands from 80 S, each 8 degrees, X 12 (72 to 84 N).
inline constexpr std::string_view kUtmBands = "CDEFGHJKLMNPQRSTUVWX";

// The latitudes, in degrees, from which to which a band of kUtmBands runs.
struct UtmBandRange {
    double south = 0;
    double north = 0;
};
constexpr UtmBandRange UtmBandLatitudes(char band) {
    const double south = -80 + 8 * static_cast<double>(kUtmBands.find(band));
    return {south, band == 'X' ? 84 : south + 8};
}

// The letters of the UPS bands (kUpsBands below).
inline constexpr std::string_view kUpsBandLetters = "ABYZ";

// The eight column letters of a UTM zone, from 100 km east: three sets in turn by zone.
std::string_view UtmColumnLetters(int zone);

// The 20 row letters, repeating every 2000 km of northing.
inline constexpr std::string_view kUtmRowLetters = "ABCDEFGHJKLMNPQRSTUV";

// The place in kUtmRowLetters of the row from the equator (or 10,000 km south) northwards.
int UtmRowLetterShift(int zone, MgrsLettering lettering);

// A UPS band's letter, its columns and rows, and the 100 km counts of easting and northing where
// the first column and row begin: A and B south of the equator, west and east of the 0-180
// meridian (eastings below and from 2000 km), Y and Z north of it.
struct UpsBand {
    char letter;
    std::string_view columns;
    std::string_view rows;
    int firstColumn; // hundreds of kilometres of easting
    int firstRow;    // hundreds of kilometres of northing
};
// clang-format off
inline constexpr UpsBand kUpsBands[] = {
    {'A', "JKLPQRSTUXYZ", "ABCDEFGHJKLMNPQRSTUVWXYZ", 8, 8},
    {'B', "ABCFGHJKLPQR", "ABCDEFGHJKLMNPQRSTUVWXYZ", 20, 8},
    {'Y', "RSTUXYZ", "ABCDEFGHJKLMNP", 13, 13},
    {'Z', "ABCFGHJ", "ABCDEFGHJKLMNP", 20, 13},
};
// clang-format on

} // namespace korvane
