// The military grid reference of the windows: zone, band letter, 100 km square letters and five
// digits each of easting and northing. Its deliberate departures from standard MGRS (whose own
// form is MgrsReference.cpp):
//   - band A lies south of 84 S, C from 84 S to 72 S and X from 72 N to 84 N, each twelve degrees,
//     and Z north of 84 N: no band stops at 80 S, and the polar areas keep UTM's squares;
//   - the squares are lettered the same on every ellipsoid (the AA lettering, never AL);
//   - an index outside the alphabet gives the neighbouring character code rather than failing;
//   - the five digits are the last five characters of Int(value) written out, so a negative
//     value keeps its "-" ("-1234" gives "-01234"); they are truncated, never rounded;
//   - easting and northing are the ones given, the southern false northing included.

#include "geodesy/GridReference.hpp"

#include "base/DigitPairs.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/FloatingPoint.hpp"
#include "geodesy/Int16.hpp"
#include "geodesy/Modn.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

namespace korvane {

namespace {

constexpr double kSquareSize = 100000;

// The last five characters of Int(value) written out in decimal, for a whole number beyond 64
// bits: the exact decimal form has far more than five digits.
[[gnu::noinline]] long LastFiveDigitsOfHugeWhole(double whole) {
    char digits[400];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, whole, std::chars_format::fixed, 0);
    long number = 0;
    std::from_chars(written.ptr - 5, written.ptr, number);
    return number;
}

// Int(value) written as a decimal integer, its last five characters read back as a number:
// "-1234" stays -1234, a longer text keeps only digits ("-123456" gives 23456).
inline long LastFiveCharacters(double value) {
    const double whole = Int(value);
    if (std::fabs(whole) < 9e18) {
        const auto integer = static_cast<long long>(whole);
        return static_cast<long>(integer > -10000 ? integer % 100000 : -integer % 100000);
    }
    return LastFiveDigitsOfHugeWhole(whole);
}

// Writes a number below 100000 as five digits, leading zeros and all.
char* WriteFiveDigits(char* out, unsigned number) {
    out[0] = static_cast<char>('0' + number / 10000);
    std::memcpy(out + 1, kDigitPairs.data() + 2 * (number / 100 % 100), 2);
    std::memcpy(out + 3, kDigitPairs.data() + 2 * (number % 100), 2);
    return out + 5;
}

// Writes that number with at least five digits: a negative number keeps its "-" ahead of the
// zeros ("-1234" gives "-01234").
char* WriteLastFiveCharacters(char* out, double value) {
    const long number = LastFiveCharacters(value);
    if (number < 0) {
        *out++ = '-';
    }
    return WriteFiveDigits(out, static_cast<unsigned>(number < 0 ? -number : number));
}

// Character by character: the texts are a few characters long, shorter than a call to copy
// them would be.
char* WriteText(char* out, std::string_view text) {
    for (const char c : text) {
        *out++ = c;
    }
    return out;
}

// Int(value / kSquareSize), sooner: the product by the reciprocal is within 3e-16 of the quotient
// in proportion, so below 2^20 squares, where it lies more than 1e-9 from every whole number, it
// has the quotient's whole part; next to one, and beyond, the division decides.
double WholeSquares(double value) {
    constexpr double kReciprocal = 1 / kSquareSize;
    constexpr double kRoom = 1e-9;
    const double product = value * kReciprocal;
    if (std::fabs(product) < 0x1p20) {
        const double whole = Int(product);
        if (product - whole > kRoom && whole + 1 - product > kRoom) {
            return whole;
        }
    }
    return Int(value / kSquareSize);
}

// Modn(whole, 20) for a whole number, by integers while it is below 2^40: there whole / 20 is a
// whole number or at least 1/20 from one, far beyond its rounding, so Modn gives the integers'
// remainder exactly.
double WholeModnTwenty(double whole) {
    constexpr double kIntegersAgreeBelow = 0x1p40;
    if (std::fabs(whole) < kIntegersAgreeBelow) {
        return static_cast<double>(WholeModn(static_cast<long long>(whole), 20));
    }
    return Modn(whole, 20);
}

// Writes a Latin-1 character code in UTF-8.
char* WriteLatin1AsUtf8(char* out, int code) {
    if (code < 0x80) {
        *out++ = static_cast<char>(code);
        return out;
    }
    *out++ = static_cast<char>(0xC0 | (code >> 6));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
    return out;
}

} // namespace

std::string_view BandLetter(double latitude) {
    Finite(latitude, "band letter");
    if (latitude < -84) {
        return "A";
    }
    if (latitude <= -72) {
        return "C";
    }
    if (latitude <= 72) {
        return BandLetters[static_cast<std::size_t>(BandPosition(latitude))];
    }
    if (latitude < 84) {
        return "X";
    }
    return "Z";
}

double LatitudeRange::DegreesOutside(double latitude) const {
    return std::max({south - latitude, latitude - north, 0.0});
}

std::optional<LatitudeRange> BandLatitudes(char band) {
    constexpr double kBeyond = std::numeric_limits<double>::infinity();
    switch (band) {
    case 'A':
        return LatitudeRange{-kBeyond, -84};
    case 'C':
        return LatitudeRange{-84, -72};
    case 'X':
        return LatitudeRange{72, 84}; // twelve degrees, not eight
    case 'Z':
        return LatitudeRange{84, kBeyond};
    }
    const auto found =
        std::find(BandLetters.begin(), BandLetters.end(), std::string_view(&band, 1));
    if (found == BandLetters.end()) {
        return std::nullopt;
    }
    const double south = 8.0 * static_cast<double>(found - BandLetters.begin() - 12);
    return LatitudeRange{south, south + 8};
}

int SquareLetterCode(std::int16_t index) {
    // Without a branch on which side of I and O the letter falls, which changes from point to
    // point.
    const int code = 64 + index + static_cast<int>(index > 8) + static_cast<int>(index > 13);
    if (code >= 0 && code <= 255) [[likely]] {
        return code;
    }
    // Counted in 16-bit steps, as the letters are: passing 32767 on the way is an overflow.
    const char* const step = "square letter";
    CheckedInt16(64LL + index, step);
    CheckedInt16(64LL + index + (index > 8), step);
    CheckedInt16(code, step);
    throw InvalidArgumentFailure(step,
                                 "character code " + std::to_string(code) + " is outside 0..255");
}

GridReferenceText GridReference(std::int16_t zone, std::string_view band, double easting,
                                double northing) {
    constexpr std::size_t kLongestBand = 8; // with it, the reference fits its text
    if (band.size() > kLongestBand) {
        throw InvalidArgumentFailure("grid reference", "the band has " +
                                                           std::to_string(band.size()) +
                                                           " characters, more than 8");
    }
    const double easting100k = Finite(WholeSquares(easting), "grid reference column");
    const double northing100k = Finite(WholeSquares(northing), "grid reference row");
    // The zone's shifts are remainders of small whole numbers, which integers give exactly, and
    // the sums are whole numbers, which rounding to 16 bits leaves as they are.
    const auto columnShift = static_cast<double>(8 * WholeModn(zone - 1, 3));
    const auto rowShift = static_cast<double>(5 * WholeModn(zone - 1, 2));
    const std::int16_t column = WholeToInt16(easting100k + columnShift, "grid reference column");
    std::int16_t row =
        WholeToInt16(WholeModnTwenty(northing100k + rowShift + 1), "grid reference row");
    if (row == 0) {
        row = 20;
    }
    const int columnCode = SquareLetterCode(column);
    const int rowCode = SquareLetterCode(row);
    GridReferenceText text;
    char* out = WriteWholeNumber(text.Start(), zone);
    *out++ = ' ';
    out = WriteText(out, band);
    out = WriteText(out, "   ");
    out = WriteLatin1AsUtf8(out, columnCode);
    out = WriteLatin1AsUtf8(out, rowCode);
    out = WriteText(out, "  ");
    out = WriteLastFiveCharacters(out, easting);
    out = WriteText(out, "  ");
    text.EndAt(WriteLastFiveCharacters(out, northing));
    return text;
}

std::string CompactGridReference(std::string_view reference) {
    std::string compact(reference);
    std::erase(compact, ' ');
    return compact;
}

} // namespace korvane
