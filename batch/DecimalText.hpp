#pragma once

#include <cstddef>
#include <string_view>

namespace korvane {

// The shapes of number that the batch converter takes from a file, and nothing looser: no
// blanks inside, no "D" exponent and none of the windows' "&H" forms, so that text which only
// starts like a number is never read as one.

// The length of the unsigned decimal at the start of text: digits with at most one point and at
// least one digit ("31.11", "5.", ".5"); 0 when the text does not start with one.
std::size_t UnsignedDecimalLength(std::string_view text);

// The length of an exponent at the start of text: "e" or "E", an optional sign and digits;
// 0 when there is none (a lone "e" is no exponent).
std::size_t ExponentLength(std::string_view text);

// All of text is digits with at most one point and at least one digit ("44.0877", "5.", ".5"):
// the usual field, told without a branch on its characters when it is short.
bool IsPlainDecimal(std::string_view text);

// All of text is an optional sign, an unsigned decimal and an optional exponent: "-44.0877",
// "+3", "1.5e3".
bool IsDecimalNumber(std::string_view text);

// All of text is a whole number: an optional sign and digits, and at most a point and zeros
// after them ("38", "38.0").
bool IsWholeNumber(std::string_view text);

} // namespace korvane
