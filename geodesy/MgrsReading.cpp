#include "geodesy/MgrsReading.hpp"

#include "base/AsciiLetters.hpp"
#include "geodesy/ReferenceText.hpp"
#include "geodesy/StandardZone.hpp"
#include "geodesy/TransverseMercator.hpp"
#include "geodesy/ValueText.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace korvane {

namespace {

constexpr std::size_t kMostDigits = 11; // pairs: a micrometre square
constexpr long long kSquareMicrometres = 100000LL * 1000000;
// The corners' latitudes carry rounding of about 1e-14 degree: a square that reaches a band by
// less than this (0.1 micrometre) still counts, so that what MgrsReference writes for a point on
// a band's edge reads back.
constexpr double kBandTolerance = 1e-12; // degrees

// Why a text is not a reference: thrown only inside this file and handed back as the failure.
class Unreadable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

using namespace reference_text;

char TakeLetter(std::string_view& rest, std::string_view text, const char* part) {
    if (rest.empty()) {
        throw Unreadable("the reference " + Quoted(text) + " ends before the " + part);
    }
    const char letter = UpperCase(rest.front());
    rest.remove_prefix(1);
    return letter;
}

// The parts of a reference, each checked for its form as it is read.
struct Parts {
    int zone = kUpsZone; // no zone digits: UPS
    char band = 0;
    char column = 0;
    char row = 0;
    std::string_view eastingDigits;
    std::string_view northingDigits;
};

void TakeDigitGroups(std::string_view rest, std::string_view text, Parts& parts) {
    SkipBlanks(rest);
    const std::string_view first = TakeDigits(rest);
    SkipBlanks(rest);
    const std::string_view second = TakeDigits(rest);
    SkipBlanks(rest);
    if (!rest.empty()) {
        throw Unreadable("unexpected " + Quoted(rest) + " after the " +
                         (first.empty() ? "square letters" : "digits"));
    }
    if (second.empty()) {
        if (first.size() % 2 != 0) {
            throw Unreadable("the reference " + Quoted(text) + " has " +
                             std::to_string(first.size()) +
                             " digits, which do not split into easting and northing");
        }
        parts.eastingDigits = first.substr(0, first.size() / 2);
        parts.northingDigits = first.substr(first.size() / 2);
    } else if (first.size() != second.size()) {
        throw Unreadable("the reference " + Quoted(text) + " has " + std::to_string(first.size()) +
                         " easting digits and " + std::to_string(second.size()) +
                         " northing digits");
    } else {
        parts.eastingDigits = first;
        parts.northingDigits = second;
    }
    if (parts.eastingDigits.size() > kMostDigits) {
        throw Unreadable("the reference " + Quoted(text) + " has " +
                         std::to_string(parts.eastingDigits.size()) +
                         " digits for each coordinate, more than " + std::to_string(kMostDigits));
    }
}

Parts SplitReference(std::string_view text) {
    if (const std::size_t at = FirstUnprintable(text); at != std::string_view::npos) {
        throw Unreadable("character " + std::to_string(at + 1) +
                         " of the reference is not a letter, digit or blank");
    }
    text = TrimBlanks(text);
    if (text.empty()) {
        throw Unreadable("the reference is empty");
    }
    std::string_view rest = text;
    Parts parts;
    const std::string_view zone = TakeDigits(rest);
    if (zone.size() > 2) {
        throw Unreadable("zone " + Quoted(zone) + " has more than two digits");
    }
    if (!zone.empty()) {
        parts.zone = static_cast<int>(DigitsValue(zone));
        if (parts.zone < 1 || parts.zone > 60) {
            throw Unreadable("zone " + std::to_string(parts.zone) + " is outside 1 to 60");
        }
    }
    SkipBlanks(rest);
    parts.band = TakeLetter(rest, text, "band letter");
    const bool utmBand = kUtmBands.find(parts.band) != std::string_view::npos;
    const bool upsBand = kUpsBandLetters.find(parts.band) != std::string_view::npos;
    if (!zone.empty() && !utmBand) {
        throw Unreadable("band letter " + Quoted(parts.band) +
                         (upsBand ? " is a UPS band, which takes no zone number"
                                  : " is not one of C to X without I and O"));
    }
    if (zone.empty() && !upsBand) {
        throw Unreadable(utmBand ? "band letter " + Quoted(parts.band) +
                                       " needs a zone number before it"
                                 : "the reference " + Quoted(text) +
                                       " starts with neither a zone number nor a UPS band "
                                       "letter A, B, Y or Z");
    }
    SkipBlanks(rest);
    parts.column = TakeLetter(rest, text, "column letter");
    parts.row = TakeLetter(rest, text, "row letter");
    TakeDigitGroups(rest, text, parts);
    return parts;
}

// A square's south-west corner and side, in micrometres: counted in integers, so that the
// centre is exact to the last place (whole metres and a half up to 1 m squares).
struct Square {
    long long east = 0;
    long long north = 0;
    long long side = kSquareMicrometres;
};

Square InSquare(long long column, long long row, const Parts& parts) {
    Square square;
    for (std::size_t i = 0; i < parts.eastingDigits.size(); ++i) {
        square.side /= 10;
    }
    square.east = column * kSquareMicrometres + DigitsValue(parts.eastingDigits) * square.side;
    square.north = row * kSquareMicrometres + DigitsValue(parts.northingDigits) * square.side;
    return square;
}

double CentreMetres(long long corner, long long side) {
    return static_cast<double>(2 * corner + side) / 2e6;
}

double Metres(long long micrometres) {
    return static_cast<double>(micrometres) / 1e6;
}

std::string LetterList(std::string_view letters) {
    return std::string(1, letters.front()) + " to " + std::string(1, letters.back());
}

// Every letter named: UPS columns pass over more letters than I and O.
std::string EachLetter(std::string_view letters) {
    std::string named;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        named += i == 0 ? "" : i + 1 == letters.size() ? " and " : ", ";
        named += letters[i];
    }
    return named;
}

MgrsReading ReadUps(const Parts& parts) {
    const UpsBand* band = std::find_if(std::begin(kUpsBands), std::end(kUpsBands),
                                       [&](const UpsBand& b) { return b.letter == parts.band; });
    const auto column = band->columns.find(parts.column);
    if (column == std::string_view::npos) {
        throw Unreadable("column letter " + Quoted(parts.column) + " is not used in UPS band " +
                         Quoted(parts.band) + ", whose columns are " + EachLetter(band->columns));
    }
    const auto row = band->rows.find(parts.row);
    if (row == std::string_view::npos) {
        throw Unreadable("row letter " + Quoted(parts.row) + " is not used in UPS band " +
                         Quoted(parts.band) + ", whose rows are " + LetterList(band->rows) +
                         " without I and O");
    }
    const Square square = InSquare(band->firstColumn + static_cast<long long>(column),
                                   band->firstRow + static_cast<long long>(row), parts);
    MgrsReading reading;
    reading.position.zone = kUpsZone;
    reading.position.hemisphere = band->letter < 'M' ? Hemisphere::South : Hemisphere::North;
    reading.position.easting = CentreMetres(square.east, square.side);
    reading.position.northing = CentreMetres(square.north, square.side);
    return reading;
}

// The least and greatest latitude of a square of a UTM zone, northings from the equator: its
// corners hold them, as latitude grows with the northing and falls away from the central
// meridian.
struct LatitudeSpan {
    double south;
    double north;
};

LatitudeSpan SquareLatitudes(const Square& square, const TransverseMercatorTerms& utm) {
    LatitudeSpan span{90, -90};
    for (const long long east : {square.east, square.east + square.side}) {
        for (const long long north : {square.north, square.north + square.side}) {
            const double latitude =
                TransverseMercatorReverse(utm, {Metres(east) - kFalseEasting, Metres(north)})
                    .latitude;
            span.south = std::min(span.south, latitude);
            span.north = std::max(span.north, latitude);
        }
    }
    return span;
}

MgrsReading ReadUtm(const Parts& parts, const UtmUpsTerms& terms, MgrsLettering lettering) {
    const std::string_view columns = UtmColumnLetters(parts.zone);
    const auto column = columns.find(parts.column);
    if (column == std::string_view::npos) {
        throw Unreadable("column letter " + Quoted(parts.column) + " is not used in zone " +
                         std::to_string(parts.zone) + ", whose columns are " + LetterList(columns) +
                         " without I and O");
    }
    const auto rowLetter = kUtmRowLetters.find(parts.row);
    if (rowLetter == std::string_view::npos) {
        throw Unreadable("row letter " + Quoted(parts.row) +
                         " is not one of A to V without I and O");
    }
    constexpr long long kCycle = 20; // rows, 2000 km
    const long long periodic =
        ((static_cast<long long>(rowLetter) - UtmRowLetterShift(parts.zone, lettering)) % kCycle +
         kCycle) %
        kCycle;
    const auto [bandSouth, bandNorth] = UtmBandLatitudes(parts.band);
    const bool north = bandSouth >= 0;
    // The band's middle on the central meridian, in rows from the equator; the row letter's
    // northing nearest it is the only one that can reach the band, as no band is 2000 km tall.
    const double middle =
        TransverseMercatorForward(terms.utm, (bandSouth + bandNorth) / 2, 0).y / 1e5;
    const long long row =
        periodic + kCycle * std::llround((middle - 0.5 - static_cast<double>(periodic)) /
                                         static_cast<double>(kCycle));
    const Square square = InSquare(static_cast<long long>(column) + 1, row, parts);
    const std::string named =
        "the square " +
        Quoted(std::to_string(parts.zone) + parts.band + parts.column + parts.row +
               std::string(parts.eastingDigits) + std::string(parts.northingDigits));
    const std::string band = "band " + std::string(1, parts.band) + ", " +
                             ValueText(std::fabs(bandSouth)) + (bandSouth < 0 ? " S" : " N") +
                             " to " + ValueText(std::fabs(bandNorth)) +
                             (bandNorth <= 0 ? " S" : " N");
    // The rows MGRS letters: 0 to 9500 km north of the equator, 9000 km south of it.
    if (north ? (row < 0 || row >= 95) : (row < -90 || row >= 0)) {
        throw Unreadable(named + " lies beyond the lettered rows of " + band);
    }
    const LatitudeSpan span = SquareLatitudes(square, terms.utm);
    if (!(span.north > bandSouth - kBandTolerance && span.south < bandNorth + kBandTolerance)) {
        throw Unreadable(named + " lies outside " + band);
    }
    MgrsReading reading;
    reading.position.zone = parts.zone;
    reading.position.hemisphere = north ? Hemisphere::North : Hemisphere::South;
    reading.position.easting = CentreMetres(square.east, square.side);
    reading.position.northing =
        CentreMetres(square.north, square.side) + (north ? 0 : kFalseNorthing);
    return reading;
}

} // namespace

MgrsReading ReadMgrs(std::string_view text, const UtmUpsTerms& terms, MgrsLettering lettering) {
    try {
        const Parts parts = SplitReference(text);
        MgrsReading reading =
            parts.zone == kUpsZone ? ReadUps(parts) : ReadUtm(parts, terms, lettering);
        reading.precision = static_cast<int>(parts.eastingDigits.size());
        return reading;
    } catch (const Unreadable& unreadable) {
        MgrsReading reading;
        reading.failure = unreadable.what();
        return reading;
    }
}

} // namespace korvane
