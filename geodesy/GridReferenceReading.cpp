#include "geodesy/GridReferenceReading.hpp"

#include "base/AsciiLetters.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/InverseProjection.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/ReferenceText.hpp"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <limits>
#include <stdexcept>
#include <string>

namespace korvane {

namespace {

constexpr long long kSquareSize = 100000;
constexpr int kLastZone = 61; // 180 E itself is zone 61, lettered like zone 1
constexpr std::size_t kMostDigits = 5;
// The row letters repeat every 2000 km, so 0 to 10,000 km holds five northings for each; in the
// south a sixth, the square just past 10,000 km, holds a point a hair south of the equator whose
// northing rounds up to 10,000 km.
constexpr int kRowCycle = 20;
constexpr int kRowCyclesToThePole = 5;
// A low-precision square's centre may lie a little beyond its band; farther off, the row letter
// and the band do not belong together.
constexpr double kBandToleranceDegrees = 0.5;

// Why a text is not a grid reference: thrown only inside this file and handed back as the
// reading's failure.
class Unreadable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

using namespace reference_text;

char TakeCharacter(std::string_view& rest, std::string_view text, const char* part) {
    if (rest.empty()) {
        throw Unreadable("the grid reference " + Quoted(text) + " ends before the " + part);
    }
    const char character = rest.front();
    rest.remove_prefix(1);
    return character;
}

// The index of a 100 km square letter, 1..24 for A..Z without I and O; 0 for any other
// character.
int SquareIndex(char letter) {
    constexpr std::string_view kSquareLetters = "ABCDEFGHJKLMNPQRSTUVWXYZ";
    const auto found = kSquareLetters.find(UpperCase(letter));
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

// Up to five truncated digits and the square they leave open: "02339" is 2339 m in a 1 m
// square, "0" is 0 m in a 10 km square, no digits a 100 km square.
struct DigitSquare {
    long long corner = 0; // metres
    long long side = kSquareSize;
};

DigitSquare ReadDigits(std::string_view digits) {
    long long side = kSquareSize;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        side /= 10;
    }
    return {DigitsValue(digits) * side, side};
}

// The digits are truncated, so the position lies anywhere in the square: its centre is the best
// estimate, and what GeographicLib gives by default too. Whole metres and a half are exact.
double CentreOf(long long hundredKilometres, DigitSquare square) {
    return static_cast<double>(hundredKilometres * kSquareSize + square.corner) +
           static_cast<double>(square.side) / 2;
}

// The fields of a reference, each checked as it is read.
struct ReferenceFields {
    std::int16_t zone = 0;
    char band = 0; // upper case
    LatitudeRange bandLatitudes;
    char rowLetter = 0;
    long long column = 0;       // the easting's hundreds of kilometres, 1..8
    long long rowRemainder = 0; // the northing's hundreds of kilometres modulo 20
    std::string_view eastingDigits;
    std::string_view northingDigits;
};

std::int16_t TakeZone(std::string_view& rest, std::string_view text) {
    const std::string_view digits = TakeDigits(rest);
    if (digits.empty()) {
        throw Unreadable("the grid reference " + Quoted(text) +
                         " does not start with a zone number");
    }
    if (digits.size() > 2) {
        throw Unreadable("zone " + Quoted(digits) + " has more than two digits");
    }
    const long long zone = DigitsValue(digits);
    if (zone < 1 || zone > kLastZone) {
        throw Unreadable("zone " + std::to_string(zone) + " is outside 1 to " +
                         std::to_string(kLastZone));
    }
    return static_cast<std::int16_t>(zone);
}

void TakeBand(std::string_view& rest, std::string_view text, ReferenceFields& fields) {
    const char letter = TakeCharacter(rest, text, "band letter");
    fields.band = UpperCase(letter);
    const auto latitudes = BandLatitudes(fields.band);
    if (!latitudes) {
        throw Unreadable("band letter " + Quoted(letter) +
                         " is not one of A, C to X without I and O, and Z");
    }
    fields.bandLatitudes = *latitudes;
}

void TakeSquareLetters(std::string_view& rest, std::string_view text, ReferenceFields& fields) {
    const char columnLetter = TakeCharacter(rest, text, "column letter");
    const int columnIndex = SquareIndex(columnLetter);
    if (columnIndex == 0) {
        throw Unreadable("column letter " + Quoted(columnLetter) +
                         " is not one of A to Z without I and O");
    }
    fields.column = columnIndex - 8 * WholeModn(fields.zone - 1, 3);
    if (fields.column < 1 || fields.column > 8) {
        throw Unreadable("column letter " + Quoted(columnLetter) + " is not used in zone " +
                         std::to_string(fields.zone));
    }
    fields.rowLetter = TakeCharacter(rest, text, "row letter");
    const int rowIndex = SquareIndex(fields.rowLetter);
    if (rowIndex == 0 || rowIndex > kRowCycle) {
        throw Unreadable("row letter " + Quoted(fields.rowLetter) +
                         " is not one of A to V without I and O");
    }
    fields.rowRemainder = WholeModn(rowIndex - 1 - 5 * WholeModn(fields.zone - 1, 2), kRowCycle);
}

void TakeDigitGroups(std::string_view rest, std::string_view text, ReferenceFields& fields) {
    SkipBlanks(rest);
    const std::string_view first = TakeDigits(rest);
    SkipBlanks(rest);
    const std::string_view second = TakeDigits(rest);
    SkipBlanks(rest);
    if (!rest.empty() && rest.front() >= '0' && rest.front() <= '9') {
        throw Unreadable("the grid reference " + Quoted(text) +
                         " has more than two groups of digits");
    }
    if (!rest.empty()) {
        throw Unreadable("unexpected " + Quoted(rest) + " after the " +
                         (first.empty() ? "square letters" : "digits"));
    }
    if (second.empty()) {
        if (first.size() > 2 * kMostDigits) {
            throw Unreadable("the grid reference " + Quoted(text) + " has " +
                             std::to_string(first.size()) + " digits, more than " +
                             std::to_string(2 * kMostDigits));
        }
        if (first.size() % 2 != 0) {
            throw Unreadable("the grid reference " + Quoted(text) + " has " +
                             std::to_string(first.size()) +
                             " digits, which do not split into easting and northing");
        }
        fields.eastingDigits = first.substr(0, first.size() / 2);
        fields.northingDigits = first.substr(first.size() / 2);
        return;
    }
    if (first.size() != second.size()) {
        throw Unreadable("the grid reference " + Quoted(text) + " has " +
                         std::to_string(first.size()) + " easting digits and " +
                         std::to_string(second.size()) + " northing digits");
    }
    if (first.size() > kMostDigits) {
        throw Unreadable("the grid reference " + Quoted(text) + " has " +
                         std::to_string(first.size()) + " digits in each group, more than " +
                         std::to_string(kMostDigits));
    }
    fields.eastingDigits = first;
    fields.northingDigits = second;
}

ReferenceFields SplitReference(std::string_view text) {
    if (const std::size_t at = FirstUnprintable(text); at != std::string_view::npos) {
        throw Unreadable("character " + std::to_string(at + 1) +
                         " of the grid reference is not a letter, digit or blank");
    }
    text = TrimBlanks(text);
    if (text.empty()) {
        throw Unreadable("the grid reference is empty");
    }
    std::string_view rest = text;
    ReferenceFields fields;
    fields.zone = TakeZone(rest, text);
    SkipBlanks(rest);
    TakeBand(rest, text, fields);
    SkipBlanks(rest);
    TakeSquareLetters(rest, text, fields);
    TakeDigitGroups(rest, text, fields);
    return fields;
}

// Of the northings the row letter allows, the one whose latitude lies in the band or nearest to
// it: they are 2000 km apart and a band at most about 1330 km tall, so at most one lies inside.
// The latitude is taken on the central meridian, where it depends on the northing alone: off it,
// the inverse series gives no usable latitude within metres to kilometres of a pole, and inside
// the zone the two latitudes differ by less than 0.05 degree.
double NorthingInBand(const ReferenceFields& fields, Hemisphere hemisphere, DigitSquare square,
                      const InverseTerms& terms) {
    UtmCoordinate onCentralMeridian{fields.zone, hemisphere, kFalseEasting, 0};
    double nearest = 0;
    double nearestOutside = std::numeric_limits<double>::infinity();
    std::exception_ptr firstFailure;
    const int cycles = kRowCyclesToThePole + (hemisphere == Hemisphere::South ? 1 : 0);
    for (int cycle = 0; cycle < cycles; ++cycle) {
        onCentralMeridian.northing = CentreOf(fields.rowRemainder + kRowCycle * cycle, square);
        try {
            const double outside = fields.bandLatitudes.DegreesOutside(
                ProjectFromUtm(onCentralMeridian, terms).latitude);
            if (outside < nearestOutside) {
                nearest = onCentralMeridian.northing;
                nearestOutside = outside;
            }
        } catch (const ComputationFailure&) {
            if (!firstFailure) {
                firstFailure = std::current_exception();
            }
        }
    }
    if (nearestOutside == std::numeric_limits<double>::infinity()) {
        std::rethrow_exception(firstFailure);
    }
    if (nearestOutside > kBandToleranceDegrees) {
        throw Unreadable("row letter " + Quoted(fields.rowLetter) + " does not reach band " +
                         Quoted(fields.band) + " in zone " + std::to_string(fields.zone));
    }
    return nearest;
}

} // namespace

GridReferenceReading ReadGridReference(std::string_view text, const InverseTerms& terms) {
    try {
        const ReferenceFields fields = SplitReference(text);
        UtmCoordinate utm;
        utm.zone = fields.zone;
        // Bands A and C to M lie south of the equator.
        utm.hemisphere = fields.band < 'N' ? Hemisphere::South : Hemisphere::North;
        utm.easting = CentreOf(fields.column, ReadDigits(fields.eastingDigits));
        utm.northing =
            NorthingInBand(fields, utm.hemisphere, ReadDigits(fields.northingDigits), terms);
        return {utm, ""};
    } catch (const Unreadable& unreadable) {
        return {UtmCoordinate{}, unreadable.what()};
    }
}

} // namespace korvane
