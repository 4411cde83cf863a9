#include "geodesy/DatumTable.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/FloatingPoint.hpp"
#include "geodesy/Int16.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/Power.hpp"
#include "geodesy/ValueText.hpp"

#include <string>

namespace korvane {

const DatumTable& StandardDatumTable() {
    static constexpr DatumTable table{{
        {"", "", 0, 0},
        {"WGS 84", "WGS 84                     ", 6378137, 6356752.3142},
        {"NAD 83", "NAD 83                      ", 6378137, 6356752.3142},
        {"GRS 80", "GRS 80                      ", 6378137, 6356752.3141},
        {"WGS 72", "WGS 72                     ", 6378135, 6356750.5},
        {"Australian 1965", "Australian 1965         ", 6378160, 6356774.7},
        {"Krasovsky 1940", "Krasovsky 1940        ", 6378245, 6356863},
        {"North American 1927", "North American 1927", 6378206.4, 6356583.8},
        {"International 1924", "International 1924     ", 6378388, 6356911.9},
        {"Hayford 1909", "Hayford 1909             ", 6378388, 6356911.9},
        {"Clarke 1880", "Clarke 1880               ", 6378249.1, 6356514.9},
        {"Clarke 1866", "Clarke 1866               ", 6378206.4, 6356583.8},
        {"Airy 1830", "Airy 1830                   ", 6377563.4, 6356256.9},
        {"Bessel 1841", "Bessel 1841              ", 6377397.2, 6356079},
        {"Everest 1830", "Everest 1830             ", 6377276.3, 6356075.4},
    }};
    return table;
}

std::span<const DatumEntry> ListedDatums() {
    return std::span<const DatumEntry>(StandardDatumTable()).subspan(1);
}

double Eccentricity(const DatumEntry& datum) {
    return Finite(Power(1 - Power(datum.b / datum.a, 2), 0.5), "eccentricity");
}

std::optional<int> ListPositionOf(std::string_view listName) {
    const auto datums = ListedDatums();
    for (std::size_t position = 0; position < datums.size(); ++position) {
        if (datums[position].listName == listName) {
            return static_cast<int>(position);
        }
    }
    return std::nullopt;
}

const DatumEntry& DatumForListPosition(std::int16_t position) {
    const std::int16_t row = CheckedInt16(position + 1LL, "datum row");
    if (row < 0 || row >= kDatumRows) {
        throw SubscriptFailure("datum row", "row " + std::to_string(row) + " is outside 0..14");
    }
    return StandardDatumTable()[static_cast<std::size_t>(row)];
}

const std::array<std::string_view, kBandPositions> BandLetters{
    "",  "",  "",  "D", "E", "F", "G", "H", "J", "K", "L", "M",
    "N", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "",  ""};

int BandPosition(double latitude) {
    const double position = Int(latitude / 8) + 12;
    if (!(position >= 0 && position < kBandPositions)) {
        throw SubscriptFailure("band position",
                               "no band position for latitude " + ValueText(latitude));
    }
    return static_cast<int>(position);
}

} // namespace korvane
