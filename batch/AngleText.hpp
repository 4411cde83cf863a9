#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvane {

// A latitude or a longitude written in one field, as files hold them: signed decimal degrees
// ("-33.86", "1e-05"); a hemisphere letter before or after the number, in either case ("33.86S",
// "S33.86", "151.21e"); or degrees, minutes and seconds with marks ("15°52'31.11\"N", also ′ ″
// and ’ ”, or "15d52m31.11s") or with colons ("15:52:31.11N"). Blanks may stand between the
// parts. Only the last part may have decimals, minutes and seconds stay below 60, and a sign and
// a hemisphere letter never come together: "-33S" has no one meaning.
struct AngleText {
    // Degrees, minutes and seconds as written, without a sign; a part not written is empty.
    std::array<std::string_view, 3> parts;
    // 'N', 'S', 'E' or 'W' (upper case) when a hemisphere letter was written, else 0.
    char hemisphere = 0;
    bool negative = false; // written with a leading "-"
};

// Reads a field without blanks around it into angle. Gives an empty text, or what is wrong, to
// follow the field's name and text ("is not a number: \"O\" cannot follow \"1\""). An empty field
// is not an angle.
std::string ReadAngleText(std::string_view field, AngleText& angle);

} // namespace korvane
