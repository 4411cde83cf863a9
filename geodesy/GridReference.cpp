#include "geodesy/GridReference.hpp"

#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/FloatingPoint.hpp"
#include "geodesy/Int16.hpp"
#include "geodesy/Modn.hpp"

#include <charconv>
#include <cmath>
#include <string_view>

namespace korvane {

namespace {

constexpr double kSquareSize = 100000;

// Int(value) written as a decimal integer, its last five characters read back as a number:
// "-1234" stays -1234, a longer text keeps only digits ("-123456" gives 23456).
long LastFiveCharacters(double value) {
    const double whole = Int(value);
    if (std::fabs(whole) < 9e18) {
        const auto integer = static_cast<long long>(whole);
        return static_cast<long>(integer > -10000 ? integer % 100000 : -integer % 100000);
    }
    // Beyond 64 bits the exact decimal form has far more than five digits.
    char digits[400];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, whole, std::chars_format::fixed, 0);
    long number = 0;
    std::from_chars(written.ptr - 5, written.ptr, number);
    return number;
}

// Appends that number with at least five digits: a negative number keeps its "-" ahead of the
// zeros ("-1234" gives "-01234").
void AppendFiveDigits(std::string& text, double value) {
    long number = LastFiveCharacters(value);
    if (number < 0) {
        text += '-';
        number = -number;
    }
    char digits[5];
    for (int i = 4; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + number % 10);
        number /= 10;
    }
    text.append(digits, sizeof digits);
}

// Appends a Latin-1 character code in UTF-8.
void AppendLatin1AsUtf8(std::string& text, int code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
        return;
    }
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
}

// The character code of a square index's letter: 64 + index, passing over I and O.
int SquareLetterCode(std::int16_t index) {
    long long code = CheckedInt16(64LL + index, "square letter");
    if (index > 8) {
        code = CheckedInt16(code + 1, "square letter");
    }
    if (index > 13) {
        code = CheckedInt16(code + 1, "square letter");
    }
    if (code < 0 || code > 255) {
        throw InvalidArgumentFailure("square letter", "character code " + std::to_string(code) +
                                                          " is outside 0..255");
    }
    return static_cast<int>(code);
}

} // namespace

std::string BandLetter(double latitude) {
    Finite(latitude, "band letter");
    if (latitude < -84) {
        return "A";
    }
    if (latitude <= -72) {
        return "C";
    }
    if (latitude <= 72) {
        return std::string(BandLetters[static_cast<std::size_t>(BandPosition(latitude))]);
    }
    if (latitude < 84) {
        return "X";
    }
    return "Z";
}

std::string SquareLetter(std::int16_t index) {
    std::string letter;
    AppendLatin1AsUtf8(letter, SquareLetterCode(index));
    return letter;
}

std::string GridReference(std::int16_t zone, const std::string& band, double easting,
                          double northing) {
    const double easting100k = Finite(Int(easting / kSquareSize), "grid reference column");
    const double northing100k = Finite(Int(northing / kSquareSize), "grid reference row");
    const std::int16_t column =
        RoundToInt16(easting100k + 8 * Modn(zone - 1, 3), "grid reference column");
    std::int16_t row =
        RoundToInt16(Modn(northing100k + 5 * Modn(zone - 1, 2) + 1, 20), "grid reference row");
    if (row == 0) {
        row = 20;
    }
    const int columnCode = SquareLetterCode(column);
    const int rowCode = SquareLetterCode(row);
    std::string text;
    text.reserve(32);
    char zoneDigits[8];
    text.append(zoneDigits, std::to_chars(zoneDigits, zoneDigits + sizeof zoneDigits, zone).ptr);
    text.append(" ").append(band).append("   ");
    AppendLatin1AsUtf8(text, columnCode);
    AppendLatin1AsUtf8(text, rowCode);
    text.append("  ");
    AppendFiveDigits(text, easting);
    text.append("  ");
    AppendFiveDigits(text, northing);
    return text;
}

} // namespace korvane
