#include "commands/NumberText.hpp"

#include "geodesy/DigitPairs.hpp"
#include "geodesy/ExactLimits.hpp"
#include "geodesy/FloatingPoint.hpp"
#include "geodesy/Rounding.hpp"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace korvane {

namespace {

std::string GroupByThrees(std::string_view digits, const std::string& separator) {
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += separator;
        }
        grouped += digits[i];
    }
    return grouped;
}

// The characters from begin to end appended: by their count, which string's append takes faster
// than a pair of pointers.
void AppendCharacters(std::string& text, const char* begin, const char* end) {
    text.append(begin, static_cast<std::size_t>(end - begin));
}

std::string_view WithoutTrailingZeros(std::string_view digits) {
    const auto last = digits.find_last_not_of('0');
    return last == std::string_view::npos ? std::string_view() : digits.substr(0, last + 1);
}

// The whole digits and the two decimals of |value| rounded to hundredths, as text.
struct TwoDecimals {
    char characters[400]; // the whole digits, then the two decimals
    std::size_t wholeLength = 0;

    std::string_view Whole() const { return {characters, wholeLength}; }
    std::string_view Decimals() const { return {characters + wholeLength, 2}; }
    bool IsZero() const { return Whole() == "0" && Decimals() == "00"; }
};

TwoDecimals SplitHundredths(double value) {
    TwoDecimals split;
    char* const end = split.characters + sizeof split.characters;
    const double magnitude = std::abs(value);
    if (magnitude < kHundredthsExactBelow) {
        // Exact there: the double's hundredths fit an integer without loss.
        const std::uint64_t hundredths = RoundedHundredths(magnitude);
        char* const decimals = std::to_chars(split.characters, end, hundredths / 100).ptr;
        decimals[0] = static_cast<char>('0' + hundredths / 10 % 10);
        decimals[1] = static_cast<char>('0' + hundredths % 10);
        split.wholeLength = static_cast<std::size_t>(decimals - split.characters);
        return split;
    }
    char* const written =
        std::to_chars(split.characters, end, magnitude, std::chars_format::fixed, 2).ptr;
    std::memmove(written - 3, written - 2, 2); // drop the point
    split.wholeLength = static_cast<std::size_t>(written - 3 - split.characters);
    return split;
}

// The value rounded to hundredths, split. Below kHundredthsExactBelow the split rounds by itself to
// the same hundredths.
TwoDecimals SplitRoundedHundredths(double value) {
    Finite(value, "rounding to hundredths");
    return SplitHundredths(std::abs(value) < kHundredthsExactBelow ? value
                                                                   : RoundToHundredths(value));
}

} // namespace

namespace {

// |value| in units of the ninth decimal, rounded as to_chars rounds (to the nearest, a half to
// the even unit), worked out exactly from the double's bits: the product of its 53-bit mantissa
// and 10^9 needs 83 bits. Nothing where the compiler has no 128-bit integers or the value is
// 1e9 or more.
std::optional<std::uint64_t> ExactNineDecimalUnits(double value) {
#ifdef __SIZEOF_INT128__
    const double magnitude = std::fabs(value);
    if (!(magnitude < 1e9)) {
        return std::nullopt;
    }
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biasedExponent = static_cast<int>(bits >> 52);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa =
        biasedExponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int shift = 1075 - (biasedExponent == 0 ? 1 : biasedExponent); // |value| < 2^30
    if (mantissa == 0 || shift >= 127) {
        return 0; // below 2^-74: far under half a unit
    }
    const unsigned __int128 product = static_cast<unsigned __int128>(mantissa) * 1000000000u;
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    const unsigned __int128 remainder = product & ((half << 1) - 1);
    auto units = static_cast<std::uint64_t>(product >> shift);
    if (remainder > half || (remainder == half && units % 2 == 1)) {
        ++units;
    }
    return units;
#else
    static_cast<void>(value);
    return std::nullopt;
#endif
}

// The same count from the double product where that is sure to give it, which is far quicker:
// below 1000 degrees the product is within 2^-13 of the exact one, so a product whose fraction
// lies more than a thousandth away from 0 and from a half rounds as the exact one does.
std::optional<std::uint64_t> NineDecimalUnits(double value) {
    const double units = std::fabs(value) * 1e9;
    if (units < 1e12) {
        const auto whole = static_cast<std::uint64_t>(units);
        const double fraction = units - static_cast<double>(whole);
        constexpr double kRoom = 1e-3;
        if (fraction > kRoom && fraction < 0.5 - kRoom) {
            return whole;
        }
        if (fraction > 0.5 + kRoom && fraction < 1 - kRoom) {
            return whole + 1;
        }
    }
    return ExactNineDecimalUnits(value);
}

} // namespace

std::string NineDecimalDegrees(double value) {
    std::string text;
    AppendNineDecimalDegrees(text, value);
    return text;
}

void AppendNineDecimalDegrees(std::string& text, double value) {
    Finite(value, "writing degrees");
    if (const auto units = NineDecimalUnits(value)) {
        char buffer[32];
        char* end = buffer;
        if (value < 0 && *units != 0) { // a negative value that shows as zero is zero
            *end++ = '-';
        }
        end = WriteWholeDigits(end, static_cast<std::uint32_t>(*units / 1000000000));
        *end++ = '.';
        AppendCharacters(text, buffer, WriteNineDigits(end, *units % 1000000000));
        return;
    }
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 9);
    std::string_view shown(buffer, written.ptr);
    if (shown.front() == '-' && shown.find_first_of("123456789") == std::string_view::npos) {
        shown.remove_prefix(1); // a negative value that shows as zero is zero
    }
    text.append(shown);
}

bool NineDecimalsSettleWithin(double value, double margin) {
    // The text changes where the value in units of the ninth decimal is a half. The product is
    // off by at most half a unit in its last place, 2^-14 below 1e12: the slack covers it.
    constexpr double kProductSlack = 1e-3;
    const double units = std::fabs(value) * 1e9;
    return units < 1e12 && ClearOfSteps(units, 0.5, margin * 1e9 + kProductSlack);
}

void AppendTwoDecimalNumber(std::string& text, double value) {
    const TwoDecimals split = SplitRoundedHundredths(value);
    if (value < 0 && !split.IsZero()) {
        text += '-';
    }
    text.append(split.Whole()).append(".").append(split.Decimals());
}

std::string GroupedNumber(double value, const RegionalSeparators& separators) {
    const TwoDecimals split = SplitRoundedHundredths(value);
    const std::string_view whole = split.Whole();
    const std::string_view decimals = WithoutTrailingZeros(split.Decimals());
    const bool negative = value < 0 && !split.IsZero();
    std::string text = negative ? "-" : "";
    text.append(GroupByThrees(whole == "0" ? "" : whole, separators.group))
        .append(separators.decimal)
        .append(decimals);
    return text;
}

std::string PlainNumber(double value, std::string_view decimalSeparator) {
    std::string text;
    AppendPlainNumber(text, value, decimalSeparator);
    return text;
}

void AppendPlainNumber(std::string& text, double value, std::string_view decimalSeparator) {
    Finite(value, "writing a number");
    if (value == 0) {
        text.push_back('0');
        return;
    }
    // The sign and the digits written here first, so that they take one append.
    char characters[32];
    char* end = characters;
    if (value < 0) {
        *end++ = '-';
    }
    const double magnitude = std::abs(value);
    if (magnitude < kHundredthsPlainBelow && magnitude == std::trunc(magnitude)) {
        // A whole number, such as degrees and minutes: its digits, and nothing else.
        const auto whole = static_cast<std::uint64_t>(magnitude);
        AppendCharacters(text, characters,
                         std::to_chars(end, characters + sizeof characters, whole).ptr);
        return;
    }
    if (magnitude < kHundredthsPlainBelow) {
        const std::uint64_t hundredths = RoundedHundredths(magnitude);
        if (HundredthsValue(hundredths) == magnitude) {
            // Hundredths, such as seconds: their fifteen significant digits are exactly the
            // hundredths, written without a trailing zero (never two: the number is not whole).
            AppendCharacters(
                text, characters,
                std::to_chars(end, characters + sizeof characters, hundredths / 100).ptr);
            text.append(decimalSeparator).append(HundredthsDecimals(hundredths));
            return;
        }
    }
    // Fifteen significant digits as d.dddddddddddddde+x, then laid out without the exponent.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value),
                                       std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const auto e = scientific.find('e');
    int exponent = 0;
    const char* exponentStart = scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0);
    std::from_chars(exponentStart, scientific.data() + scientific.size(), exponent);
    const std::string mantissa = scientific[0] + std::string(scientific.substr(2, e - 2));
    const std::string digits(WithoutTrailingZeros(mantissa));

    std::string whole;
    std::string fraction;
    if (exponent < 0) {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
        whole = digits + std::string(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
    } else {
        whole = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
        fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    text.append(value < 0 ? "-" : "").append(whole);
    if (!fraction.empty()) {
        text.append(decimalSeparator).append(fraction);
    }
}

} // namespace korvane
