#include "commands/NumberText.hpp"

#include "geodesy/FloatingPoint.hpp"
#include "geodesy/Rounding.hpp"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace korvane {

namespace {

// Up to here a double's hundredths are an exact integer count.
constexpr double kHundredthsAsInteger = 1e13;

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

std::string_view WithoutTrailingZeros(std::string_view digits) {
    const auto last = digits.find_last_not_of('0');
    return last == std::string_view::npos ? std::string_view() : digits.substr(0, last + 1);
}

// The whole digits and the two decimals of |value| rounded to hundredths, as text.
struct TwoDecimals {
    std::string whole;
    char decimals[2];
};

TwoDecimals SplitHundredths(double value) {
    TwoDecimals split{};
    const double magnitude = std::abs(value);
    if (magnitude < kHundredthsAsInteger) {
        // Exact there: the double's hundredths fit an integer without loss.
        const std::uint64_t hundredths = RoundedHundredths(magnitude);
        split.whole = std::to_string(hundredths / 100);
        split.decimals[0] = static_cast<char>('0' + hundredths / 10 % 10);
        split.decimals[1] = static_cast<char>('0' + hundredths % 10);
        return split;
    }
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 2);
    split.whole.assign(buffer, written.ptr - 3);
    split.decimals[0] = written.ptr[-2];
    split.decimals[1] = written.ptr[-1];
    return split;
}

} // namespace

std::string TwoDecimalNumber(double value) {
    const double rounded = RoundToHundredths(value);
    const TwoDecimals split = SplitHundredths(rounded);
    const bool zero = split.whole == "0" && split.decimals[0] == '0' && split.decimals[1] == '0';
    return (rounded < 0 && !zero ? "-" : "") + split.whole + '.' + split.decimals[0] +
           split.decimals[1];
}

std::string GroupedNumber(double value, const RegionalSeparators& separators) {
    const double rounded = RoundToHundredths(value);
    const TwoDecimals split = SplitHundredths(rounded);
    const std::string_view whole = split.whole;
    const std::string_view decimals = WithoutTrailingZeros({split.decimals, 2});
    const bool negative = rounded < 0;
    return (negative ? "-" : "") + GroupByThrees(whole == "0" ? "" : whole, separators.group) +
           separators.decimal + std::string(decimals);
}

std::string PlainNumber(double value, const std::string& decimalSeparator) {
    Finite(value, "writing a number");
    if (value == 0) {
        return "0";
    }
    if (std::abs(value) < 1e9 && RoundToHundredths(value) == value) {
        // Whole numbers and hundredths, such as degrees, minutes and seconds: below 1e9 their
        // fifteen significant digits are exactly the hundredths.
        const TwoDecimals split = SplitHundredths(value);
        const std::string_view decimals = WithoutTrailingZeros({split.decimals, 2});
        return (value < 0 ? "-" : "") + split.whole +
               (decimals.empty() ? "" : decimalSeparator + std::string(decimals));
    }
    // Fifteen significant digits as d.dddddddddddddde+x, then laid out without the exponent.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value),
                                       std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const auto e = text.find('e');
    int exponent = 0;
    const char* exponentStart = text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0);
    std::from_chars(exponentStart, text.data() + text.size(), exponent);
    const std::string mantissa = text[0] + std::string(text.substr(2, e - 2));
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
    return (value < 0 ? "-" : "") + whole + (fraction.empty() ? "" : decimalSeparator + fraction);
}

} // namespace korvane
