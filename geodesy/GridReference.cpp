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

// Writes Int(value) as a decimal integer, takes its last five characters, reads them back and
// writes that number with at least five digits: a negative number keeps its "-" ahead of the
// zeros ("-1234" gives "-01234").
std::string FiveDigits(double value) {
    const double whole = Int(value) + 0.0; // + 0.0 turns -0 into 0
    char digits[400];
    // Whole numbers that fit 64 bits are written as integers; the exact form covers the rest.
    const auto written =
        std::fabs(whole) < 9e18
            ? std::to_chars(digits, digits + sizeof digits, static_cast<long long>(whole))
            : std::to_chars(digits, digits + sizeof digits, whole, std::chars_format::fixed, 0);
    const std::string_view text(digits, static_cast<std::size_t>(written.ptr - digits));
    const std::string_view last = text.substr(text.size() > 5 ? text.size() - 5 : 0);
    long number = 0;
    std::from_chars(last.data(), last.data() + last.size(), number);
    std::string digitsText = std::to_string(number < 0 ? -number : number);
    digitsText.insert(0, digitsText.size() < 5 ? 5 - digitsText.size() : 0, '0');
    return number < 0 ? "-" + digitsText : digitsText;
}

std::string Latin1AsUtf8(int code) {
    if (code < 0x80) {
        return std::string(1, static_cast<char>(code));
    }
    return {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
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
    return Latin1AsUtf8(static_cast<int>(code));
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
    std::string text = std::to_string(zone);
    text.reserve(32);
    text.append(" ").append(band).append("   ");
    text.append(SquareLetter(column)).append(SquareLetter(row)).append("  ");
    text.append(FiveDigits(easting)).append("  ").append(FiveDigits(northing));
    return text;
}

} // namespace korvane
