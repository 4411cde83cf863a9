#pragma once

#include <string>

namespace korvane {

// The most decimals the standard grid's angle texts are written with: 1e-9 second is 30
// nanometres, below the projections' own error.
inline constexpr int kMostAngleDecimals = 9;

// Appends an angle as a person writes it: degrees, minutes and seconds with marks and the
// hemisphere letter of its sign, the seconds to `decimals` places, minutes and seconds of two
// digits each ("15°52'31.11\"N", "44°05'16.11\"W"). The seconds are rounded before they are
// written, and a rounding that reaches 60 is carried into the minutes and the degrees: 51.5
// degrees is 51°30'00.00", never 51°29'60.00". letters are the two hemisphere letters, positive
// first ("NS", "EW"). The value is finite.
void AppendDegreesMinutesSeconds(std::string& text, double degrees, int decimals,
                                 const char* letters);

// Appends signed decimal degrees with `decimals` places ("-33.860000000"); a value that rounds to
// zero has no sign.
void AppendDecimalDegrees(std::string& text, double degrees, int decimals);

// Appends metres to the millimetre ("402339.350", "-12.345"), as a surveyor reads them.
void AppendMillimetres(std::string& text, double metres);

} // namespace korvane
