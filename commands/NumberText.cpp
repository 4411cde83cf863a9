#include "commands/NumberText.hpp"

#include "base/DigitPairs.hpp"
#include "geodesy/ExactLimits.hpp"
#include "geodesy/FloatingPoint.hpp"
#include "geodesy/Rounding.hpp"

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

// |value| in units of its last decimal (0 to 9 decimals), rounded as to_chars rounds; nothing
// from kWholeNumbersFrom units on, or for a product that is exactly a half, where to_chars
// writes it. Rounding the product to a double cannot carry it across a half, which a double of
// this size holds exactly: only a product that is exactly a half may stand for a value on either
// side.
std::optional<std::uint64_t> DecimalUnits(double value, int decimals) {
    const double units = std::fabs(value) * kDecimalScales[decimals];
    if (!(units < kWholeNumbersFrom)) {
        return std::nullopt;
    }
    const auto whole = static_cast<std::uint64_t>(units);
    const double fraction = units - static_cast<double>(whole);
    if (fraction == 0.5) {
        return std::nullopt;
    }
    return whole + static_cast<std::uint64_t>(fraction > 0.5);
}

// The value to that many decimals as to_chars writes it, a negative value that shows as zero
// without its sign.
void AppendByCharsFormat(std::string& text, double value, int decimals) {
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string_view shown(buffer, written.ptr);
    if (shown.front() == '-' && shown.find_first_of("123456789") == std::string_view::npos) {
        shown.remove_prefix(1);
    }
    text.append(shown);
}

} // namespace

std::string NineDecimalDegrees(double value) {
    std::string text;
    AppendNineDecimalDegrees(text, value);
    return text;
}

void AppendNineDecimalDegrees(std::string& text, double value) {
    Finite(value, "writing degrees");
    if (const auto units = DecimalUnits(value, 9)) {
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
    AppendByCharsFormat(text, value, 9);
}

void AppendFixedNumber(std::string& text, double value, int decimals) {
    Finite(value, "writing a number");
    if (decimals == 9) {
        AppendNineDecimalDegrees(text, value);
        return;
    }
    const auto units = DecimalUnits(value, decimals);
    if (!units) {
        AppendByCharsFormat(text, value, decimals);
        return;
    }
    const auto scale = static_cast<std::uint64_t>(kDecimalScales[decimals]);
    char buffer[48];
    char* end = buffer;
    if (value < 0 && *units != 0) {
        *end++ = '-';
    }
    end = std::to_chars(end, buffer + sizeof buffer, *units / scale).ptr;
    if (decimals > 0) {
        *end++ = '.';
        std::uint64_t fraction = *units % scale;
        for (int place = decimals; place-- > 0;) {
            end[place] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        end += decimals;
    }
    AppendCharacters(text, buffer, end);
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
