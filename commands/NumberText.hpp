#pragma once

#include "commands/RegionalSeparators.hpp"

#include <string>
#include <string_view>

namespace korvane {

// The pattern "###,###,###.##": at most two decimals without trailing zeros, the decimal
// separator always written, no digit for a zero integer part, integer digits grouped by
// threes. 402339.35 gives "402,339.35", 500000 "500,000." and 0 ".".
std::string GroupedNumber(double value, const RegionalSeparators& separators);

// The shortest decimal form with at most 15 significant digits: no exponent, no thousands
// separators, no trailing zeros, and "0" never "-0". 6356752.3142 gives "6356752.3142".
std::string PlainNumber(double value, std::string_view decimalSeparator);
// The same appended to text, without a string of its own.
void AppendPlainNumber(std::string& text, double value, std::string_view decimalSeparator);

// Appends the value rounded to hundredths with exactly two decimals, "." and no grouping:
// "500000.00".
void AppendTwoDecimalNumber(std::string& text, double value);

// Signed decimal degrees with nine decimals, "." and no grouping: "-33.860000002". A negative
// value that shows as zero is written as zero.
std::string NineDecimalDegrees(double value);
// The same appended to text, without a string of its own.
void AppendNineDecimalDegrees(std::string& text, double value);

// 10 to the power of the decimals a number is written with, 0 to 9.
inline constexpr double kDecimalScales[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// Appends the value to `decimals` places (0 to 9), "." and no grouping, rounded as to_chars
// rounds; a negative value that shows as zero is written as zero: "-12.345", "0.000".
void AppendFixedNumber(std::string& text, double value, int decimals);

} // namespace korvane
