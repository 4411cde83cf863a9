#include "commands/AngleBoxes.hpp"

#include "base/DigitPairs.hpp"
#include "commands/NumberText.hpp"
#include "geodesy/ExactLimits.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/Rounding.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace korvane {

namespace {

// Where each box's text ends in the text it was written into.
using BoxEnds = std::array<std::size_t, 4>;

// The one writer of the boxes: appends those of the angle whose degrees are `degrees` and whose
// size is `magnitude` (Int of the degrees, the whole minutes of the size, its seconds rounded to
// hundredths, then the letter), each followed by `after`, and keeps where each box's text ends in
// ends when asked for. The usual ones, whole degrees and minutes below 1e9, seconds from 0 to 60
// and a short separator and letter, are written into one buffer and appended at once, in a
// fraction of the time of a text and an append for each; their seconds from their count of
// hundredths, which is what AppendPlainNumber writes of them.
void AppendBoxes(std::string& text, double degrees, double magnitude, std::string_view letter,
                 std::string_view decimalSeparator, char after, BoxEnds* ends = nullptr) {
    const double minutesAndMore = (magnitude - Int(magnitude)) * 60;
    const double parts[] = {Int(degrees), Int(minutesAndMore),
                            (minutesAndMore - Int(minutesAndMore)) * 60};
    const std::size_t start = text.size();
    const auto endAt = [&](std::size_t box, std::size_t end) {
        if (ends != nullptr) {
            (*ends)[box] = end;
        }
    };
    constexpr std::size_t kShort = 8;
    const auto isSmallWhole = [](double value) {
        return std::fabs(value) < kHundredthsPlainBelow &&
               static_cast<double>(static_cast<std::int32_t>(value)) == value;
    };
    if (isSmallWhole(parts[0]) && isSmallWhole(parts[1]) && parts[2] >= 0 && parts[2] <= 60 &&
        decimalSeparator.size() <= kShort && letter.size() <= kShort) {
        const std::uint64_t hundredths = RoundedHundredths(parts[2]);
        char buffer[64];
        // As AppendPlainNumber writes them: digits after a "-", "0" for -0.
        char* out = WriteWholeNumber(buffer, static_cast<std::int32_t>(parts[0]));
        endAt(0, start + static_cast<std::size_t>(out - buffer));
        *out++ = after;
        out = WriteWholeNumber(out, static_cast<std::int32_t>(parts[1]));
        endAt(1, start + static_cast<std::size_t>(out - buffer));
        *out++ = after;
        out = WriteWholeDigits(out, static_cast<std::uint32_t>(hundredths / 100));
        if (hundredths % 100 != 0) {
            out = std::copy(decimalSeparator.begin(), decimalSeparator.end(), out);
            const std::string_view decimals = HundredthsDecimals(hundredths);
            out = std::copy(decimals.begin(), decimals.end(), out);
        }
        endAt(2, start + static_cast<std::size_t>(out - buffer));
        *out++ = after;
        out = std::copy(letter.begin(), letter.end(), out);
        endAt(3, start + static_cast<std::size_t>(out - buffer));
        *out++ = after;
        text.append(buffer, static_cast<std::size_t>(out - buffer));
        return;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        AppendPlainNumber(text, i < 2 ? parts[i] : RoundToHundredths(parts[i]), decimalSeparator);
        endAt(i, text.size());
        text.push_back(after);
    }
    text.append(letter);
    endAt(3, text.size());
    text.push_back(after);
}

// The same boxes as four texts of their own.
AngleBoxes Boxes(double degrees, double magnitude, std::string_view letter,
                 std::string_view decimalSeparator) {
    std::string line;
    BoxEnds ends{};
    AppendBoxes(line, degrees, magnitude, letter, decimalSeparator, ' ', &ends);
    AngleBoxes boxes;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i] = line.substr(begin, ends[i] - begin);
        begin = ends[i] + 1;
    }
    return boxes;
}

// The latitude counted from the equator towards the chosen hemisphere.
double LatitudeTowardsChosen(const UtmConversion& conversion) {
    return LatitudeTowards(conversion.utm.hemisphere, conversion.position.latitude);
}

// By the sign rather than by the zone: a letter from the zone would call a point that an easting
// puts across Greenwich by the wrong side.
std::string_view LongitudeLetter(double longitude) {
    return longitude < 0 ? "W" : "E";
}

} // namespace

AngleBoxes LatitudeBoxes(const UtmConversion& conversion, std::string_view letter,
                         std::string_view decimalSeparator) {
    const double towards = LatitudeTowardsChosen(conversion);
    return Boxes(towards, std::fabs(towards), letter, decimalSeparator);
}

AngleBoxes LongitudeBoxes(const UtmConversion& conversion, std::string_view decimalSeparator) {
    const double longitude = conversion.position.longitude;
    return Boxes(std::fabs(longitude), std::fabs(longitude), LongitudeLetter(longitude),
                 decimalSeparator);
}

void AppendLatitudeBoxes(std::string& text, const UtmConversion& conversion,
                         std::string_view letter, std::string_view decimalSeparator, char after) {
    const double towards = LatitudeTowardsChosen(conversion);
    AppendBoxes(text, towards, std::fabs(towards), letter, decimalSeparator, after);
}

void AppendLongitudeBoxes(std::string& text, const UtmConversion& conversion,
                          std::string_view decimalSeparator, char after) {
    const double longitude = conversion.position.longitude;
    AppendBoxes(text, std::fabs(longitude), std::fabs(longitude), LongitudeLetter(longitude),
                decimalSeparator, after);
}

} // namespace korvane
