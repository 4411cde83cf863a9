#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace korvane {

// The checks that every field of a position passes before it is converted. Each gives an empty
// text, or the failure: the field's role, its text quoted and what is wrong with it.

// "latitude \"1O.5\" is not a number".
std::string FieldFailure(std::string_view role, std::string_view text, std::string_view reason);

// All of text is a number (DecimalText's IsDecimalNumber).
std::string NumberFailure(std::string_view role, std::string_view text);

// All of text is a whole number, such as a zone.
std::string WholeNumberFailure(std::string_view role, std::string_view text);

// A hemisphere field: one of the letters, in either case. Gives the letter as the windows' lists
// hold it (out of letters, a literal), or nothing.
std::string_view ReadHemisphere(std::string_view text, std::string_view letters);

// Up to eight fields without the blanks around them.
std::array<std::string_view, 8> TrimmedFields(std::span<const std::string_view> fields);

} // namespace korvane
