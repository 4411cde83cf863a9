#pragma once

#include <optional>
#include <string_view>

namespace korvane {

// Reads a number from the start of a box's text, leniently: blanks, tabs and line feeds are
// ignored anywhere (" 1 2" reads 12); an optional sign, digits, one "." and an exponent with E
// or D ("1D2" reads 100); reading stops at the first character that cannot continue the number
// ("12abc" reads 12, "1,5" reads 1); no number reads 0. "&H" and "&O" start a hexadecimal or
// octal whole number, up to four hex digits' worth read as a signed 16-bit value ("&HFFFF" is
// -1), more as a signed 32-bit value. A number too large for a double ("9e999") throws an
// OverflowFailure.
double ReadNumber(std::string_view text);

// The usual texts alone, an optional "-", digits and at most one point, with a digit somewhere
// ("-44.0877772", "5.", ".5"): what ReadNumber reads from them. Nothing for any other text,
// which ReadNumber may still read, or for one outside a double's range (too large or too small).
std::optional<double> ReadPlainNumber(std::string_view text);

} // namespace korvane
