#pragma once

#include "commands/LatLongConversion.hpp"
#include "commands/UtmConversion.hpp"

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

namespace korvane {

// The hemisphere of a UTM position as the module hands it on: a letter that was neither N nor S
// (in either case) is kept, so that its element fails with the reason rather than the call.
enum class HemisphereCode : signed char { North = 0, South = 1, NotALetter = -1 };

// One element of NumPy's numbers through the windows' own commands, handed the numbers as the
// boxes hold them once read, and its sign picks the hemisphere as a signed field of
// korvane-batch's does; so the module gives the digits of the windows and of korvane-batch. A
// number that is NaN or infinite, which no box can hold, fails with that reason.

// Signed decimal degrees, north and east positive, to UTM.
LatLongConversion ConvertDecimalDegrees(double latitude, double longitude,
                                        const ForwardTerms& terms);

// Northing and easting in metres and a whole zone to latitude and longitude, by the library's
// series alone: the module hands on the numbers as well as the texts. A position off
// korvane-batch's grid (commands/GridRange.hpp) or beyond the pole fails with korvane-batch's
// reason.
UtmConversion ConvertGridNumbers(double northing, double easting, double zone,
                                 HemisphereCode hemisphere, const InverseTerms& terms);

// Why a number that is NaN or infinite cannot be converted: "easting is NaN".
std::string NotFiniteReason(const char* role, double value);

// NotFiniteReason for the first of the named numbers that is not finite, or an empty text where
// all are. Inline: every element passes here.
inline std::string NotFiniteFailure(std::initializer_list<std::pair<const char*, double>> numbers) {
    for (const auto& [role, value] : numbers) {
        if (!std::isfinite(value)) {
            return NotFiniteReason(role, value);
        }
    }
    return {};
}

// The hemisphere list's text for a code that is a letter.
std::string_view HemisphereLetter(HemisphereCode hemisphere);

} // namespace korvane
