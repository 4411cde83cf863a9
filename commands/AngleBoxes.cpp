#include "commands/AngleBoxes.hpp"

#include "base/DigitPairs.hpp"
#include "commands/NumberText.hpp"
#include "geodesy/ExactLimits.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/Rounding.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace korvane {

namespace {

// The whole degrees of `degrees` and the whole minutes of `magnitude`, the size of the angle,
// with its seconds before they are rounded.
struct UnroundedParts {
    double degrees = 0;
    double minutes = 0;
    double seconds = 0;
};

UnroundedParts UnroundedPartsOf(double degrees, double magnitude) {
    const double minutes = (magnitude - Int(magnitude)) * 60;
    return {Int(degrees), Int(minutes), (minutes - Int(minutes)) * 60};
}

AngleParts Rounded(const UnroundedParts& parts) {
    return {parts.degrees, parts.minutes, RoundToHundredths(parts.seconds)};
}

AngleParts PartsOf(double degrees, double magnitude) {
    return Rounded(UnroundedPartsOf(degrees, magnitude));
}

AngleBoxes Boxes(const AngleParts& parts, std::string_view letter,
                 std::string_view decimalSeparator) {
    return {PlainNumber(parts.degrees, decimalSeparator),
            PlainNumber(parts.minutes, decimalSeparator),
            PlainNumber(parts.seconds, decimalSeparator), std::string(letter)};
}

// The usual boxes, written into one buffer and appended at once, which takes a fraction of the
// time of a text and an append for each: whole degrees and minutes below 1e9, seconds from 0 to
// 60, short separator and letter. The seconds are written from their count of hundredths, which
// is what AppendPlainNumber writes of them once rounded. Nothing for any other parts, whose
// texts AppendPlainNumber works out in full.
bool AppendUsualBoxes(std::string& text, const UnroundedParts& parts, std::string_view letter,
                      std::string_view decimalSeparator, char after) {
    constexpr std::size_t kShort = 8;
    const auto isSmallWhole = [](double value) {
        return std::fabs(value) < kHundredthsPlainBelow &&
               static_cast<double>(static_cast<std::int32_t>(value)) == value;
    };
    if (!isSmallWhole(parts.degrees) || !isSmallWhole(parts.minutes) ||
        !(parts.seconds >= 0 && parts.seconds <= 60) || decimalSeparator.size() > kShort ||
        letter.size() > kShort) {
        return false;
    }
    const std::uint64_t hundredths = RoundedHundredths(parts.seconds);
    char buffer[64];
    // As AppendPlainNumber writes them: digits after a "-", "0" for -0.
    char* out = WriteWholeNumber(buffer, static_cast<std::int32_t>(parts.degrees));
    *out++ = after;
    out = WriteWholeNumber(out, static_cast<std::int32_t>(parts.minutes));
    *out++ = after;
    out = WriteWholeDigits(out, static_cast<std::uint32_t>(hundredths / 100));
    if (hundredths % 100 != 0) {
        out = std::copy(decimalSeparator.begin(), decimalSeparator.end(), out);
        const std::string_view decimals = HundredthsDecimals(hundredths);
        out = std::copy(decimals.begin(), decimals.end(), out);
    }
    *out++ = after;
    out = std::copy(letter.begin(), letter.end(), out);
    *out++ = after;
    text.append(buffer, static_cast<std::size_t>(out - buffer));
    return true;
}

// The boxes of the angle whose degrees are `degrees` and whose size is `magnitude`, appended.
void AppendBoxes(std::string& text, double degrees, double magnitude, std::string_view letter,
                 std::string_view decimalSeparator, char after) {
    const UnroundedParts unrounded = UnroundedPartsOf(degrees, magnitude);
    if (AppendUsualBoxes(text, unrounded, letter, decimalSeparator, after)) {
        return;
    }
    const AngleParts parts = Rounded(unrounded);
    for (const double part : {parts.degrees, parts.minutes, parts.seconds}) {
        AppendPlainNumber(text, part, decimalSeparator);
        text.push_back(after);
    }
    text.append(letter).push_back(after);
}

double LatitudeTowardsChosen(const UtmConversion& conversion) {
    return LatitudeTowards(conversion.utm.hemisphere, conversion.position.latitude);
}

AngleParts LatitudePartsOf(const UtmConversion& conversion) {
    return LatitudeParts(LatitudeTowardsChosen(conversion));
}

// By the sign, as LongitudeParts tells west.
std::string_view LongitudeLetter(double longitude) {
    return longitude < 0 ? "W" : "E";
}

} // namespace

AngleParts LatitudeParts(double towardsHemisphere) {
    return PartsOf(towardsHemisphere, std::fabs(towardsHemisphere));
}

AngleParts LongitudeParts(double longitude) {
    AngleParts parts = PartsOf(std::fabs(longitude), std::fabs(longitude));
    // By the sign rather than by the zone: a letter from the zone would call a point that an
    // easting puts across Greenwich by the wrong side.
    parts.west = longitude < 0;
    return parts;
}

AngleBoxes LatitudeBoxes(const UtmConversion& conversion, std::string_view letter,
                         std::string_view decimalSeparator) {
    return Boxes(LatitudePartsOf(conversion), letter, decimalSeparator);
}

AngleBoxes LongitudeBoxes(const UtmConversion& conversion, std::string_view decimalSeparator) {
    const double longitude = conversion.position.longitude;
    return Boxes(LongitudeParts(longitude), LongitudeLetter(longitude), decimalSeparator);
}

void AppendLatitudeBoxes(std::string& text, const UtmConversion& conversion,
                         std::string_view letter, std::string_view decimalSeparator, char after) {
    const double towards = LatitudeTowardsChosen(conversion);
    AppendBoxes(text, towards, std::fabs(towards), letter, decimalSeparator, after);
}

void AppendLongitudeBoxes(std::string& text, const UtmConversion& conversion,
                          std::string_view decimalSeparator, char after) {
    // The parts of its size, as LongitudeParts has them.
    const double longitude = conversion.position.longitude;
    AppendBoxes(text, std::fabs(longitude), std::fabs(longitude), LongitudeLetter(longitude),
                decimalSeparator, after);
}

} // namespace korvane
