#include "commands/DegreesText.hpp"

#include "commands/NumberText.hpp"

#include <cmath>
#include <cstdint>

namespace korvane {

namespace {

void AppendTwoDigits(std::string& text, std::uint64_t number) {
    text.push_back(static_cast<char>('0' + number / 10));
    text.push_back(static_cast<char>('0' + number % 10));
}

} // namespace

void AppendDegreesMinutesSeconds(std::string& text, double degrees, int decimals,
                                 const char* letters) {
    // Counted in units of the last decimal of a second: whole, so that the rounding is done
    // once and carries into the minutes and the degrees as it must.
    const double scale = kDecimalScales[decimals];
    const auto units =
        static_cast<std::uint64_t>(std::nearbyint(std::fabs(degrees) * 3600 * scale));
    const auto perSecond = static_cast<std::uint64_t>(scale);
    const std::uint64_t seconds = units / perSecond;
    const std::uint64_t fraction = units % perSecond;
    text.append(std::to_string(seconds / 3600)).append("°");
    AppendTwoDigits(text, seconds / 60 % 60);
    text.push_back('\'');
    AppendTwoDigits(text, seconds % 60);
    if (decimals > 0) {
        const std::string digits = std::to_string(fraction + perSecond); // "1" and the decimals
        text.append(".").append(digits, 1, std::string::npos);
    }
    text.push_back('"');
    text.push_back(letters[std::signbit(degrees) && units != 0 ? 1 : 0]);
}

void AppendDecimalDegrees(std::string& text, double degrees, int decimals) {
    AppendFixedNumber(text, degrees, decimals);
}

void AppendMillimetres(std::string& text, double metres) {
    AppendFixedNumber(text, metres, 3);
}

} // namespace korvane
