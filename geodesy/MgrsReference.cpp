#include "geodesy/MgrsReference.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/ValueText.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace korvane {

namespace {

constexpr const char* kStep = "MGRS reference";
// Coordinates are counted in micrometres, in integers from there on.
constexpr long long kPerMetre = 1000000;
constexpr long long kSquare = 100000 * kPerMetre;
constexpr long long kSouthShift = 10000000 * kPerMetre;
// Latitudes this close to the equator (0.1 mm) take their band from the northing's side, which
// the micrometres decide: a latitude of -1e-13 whose northing rounds to the equator is in N.
constexpr double kEquatorHair = 1e-9; // degrees

long long Micrometres(const char* coordinate, double metres) {
    // 1e8 m is beyond every grid; below it the product is exact to a thousandth of a micrometre.
    if (!(std::fabs(metres) < 1e8)) {
        throw InvalidArgumentFailure(kStep, std::string(coordinate) + " " + ValueText(metres) +
                                                " m lies in no MGRS square");
    }
    return std::llround(metres * 1e6);
}

// The count within [low, high) kilometres, the upper edge itself moved a micrometre inside.
long long WithinLettered(const char* coordinate, double metres, long long count, long long low,
                         long long high, const char* range) {
    if (count == high) {
        return count - 1;
    }
    if (count < low || count > high) {
        throw InvalidArgumentFailure(kStep, std::string(coordinate) + " " + ValueText(metres) +
                                                " m is outside the MGRS range of " + range + ", " +
                                                std::to_string(low / 1000000000) + " to " +
                                                std::to_string(high / 1000000000) + " km");
    }
    return count;
}

// The first `precision` of the five digits of metres within the 100 km square, truncated.
char* WriteDigits(char* out, long long withinSquare, int precision) {
    long long value = withinSquare;
    for (int dropped = precision; dropped < 11; ++dropped) {
        value /= 10;
    }
    for (int i = precision - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + precision;
}

char UtmBand(double latitude, bool northOfEquator) {
    if (!(std::fabs(latitude) <= 90)) {
        throw InvalidArgumentFailure(kStep,
                                     "latitude " + ValueText(latitude) + " is outside -90 to 90");
    }
    if (std::fabs(latitude) < kEquatorHair) {
        return northOfEquator ? 'N' : 'M';
    }
    const int index = std::clamp(static_cast<int>(std::floor((latitude + 80) / 8)), 0, 19);
    if ((index >= 10) != northOfEquator) {
        throw InvalidArgumentFailure(kStep, "latitude " + ValueText(latitude) + " lies " +
                                                (northOfEquator ? "south" : "north") +
                                                " of the equator, the northing " +
                                                (northOfEquator ? "north" : "south") + " of it");
    }
    return kUtmBands[static_cast<std::size_t>(index)];
}

} // namespace

GridReferenceText MgrsReference(const UtmUpsPosition& position, double latitude, int precision,
                                MgrsLettering lettering) {
    if (precision < 0 || precision > kMostMgrsPrecision) {
        throw InvalidArgumentFailure(kStep, "precision " + std::to_string(precision) +
                                                " is outside 0 to 5");
    }
    CheckStandardZone(position.zone, kStep);
    const bool north = position.hemisphere == Hemisphere::North;
    long long easting = Micrometres("easting", position.easting);
    long long northing = Micrometres("northing", position.northing);
    GridReferenceText text;
    char* out = text.Start();
    if (position.zone == kUpsZone) {
        const long long low = (north ? 13 : 8) * kSquare;
        const long long high = (north ? 27 : 32) * kSquare;
        const char* const range = north ? "UPS in the north" : "UPS in the south";
        easting = WithinLettered("easting", position.easting, easting, low, high, range);
        northing = WithinLettered("northing", position.northing, northing, low, high, range);
        const bool east = easting >= 20 * kSquare;
        const UpsBand& band = kUpsBands[(north ? 2 : 0) + (east ? 1 : 0)];
        *out++ = band.letter;
        *out++ = band.columns[static_cast<std::size_t>(easting / kSquare - band.firstColumn)];
        *out++ = band.rows[static_cast<std::size_t>(northing / kSquare - band.firstRow)];
    } else {
        // The northing from the equator decides the side MGRS letters it on.
        const long long fromEquator = north ? northing : northing - kSouthShift;
        const bool northOfEquator = fromEquator >= 0;
        northing = northOfEquator ? fromEquator : fromEquator + kSouthShift;
        easting =
            WithinLettered("easting", position.easting, easting, 1 * kSquare, 9 * kSquare, "UTM");
        northing = northOfEquator ? WithinLettered("northing", position.northing, northing, 0,
                                                   95 * kSquare, "UTM in the north")
                                  : WithinLettered("northing", position.northing, northing,
                                                   10 * kSquare, 100 * kSquare, "UTM in the south");
        *out++ = static_cast<char>('0' + position.zone / 10);
        *out++ = static_cast<char>('0' + position.zone % 10);
        *out++ = UtmBand(latitude, northOfEquator);
        *out++ = UtmColumnLetters(position.zone)[static_cast<std::size_t>(easting / kSquare - 1)];
        const long long row = (northing / kSquare + UtmRowLetterShift(position.zone, lettering)) %
                              static_cast<long long>(kUtmRowLetters.size());
        *out++ = kUtmRowLetters[static_cast<std::size_t>(row)];
    }
    out = WriteDigits(out, easting % kSquare, precision);
    text.EndAt(WriteDigits(out, northing % kSquare, precision));
    return text;
}

} // namespace korvane
