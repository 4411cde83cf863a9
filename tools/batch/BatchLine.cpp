#include "tools/batch/BatchLine.hpp"

#include "commands/LatLongConversion.hpp"
#include "commands/NumberText.hpp"
#include "commands/UtmConversion.hpp"

#include <algorithm>
#include <array>
#include <charconv>

namespace korvane {

namespace {

// The fields of a line: the first eight are kept, all are counted.
struct Fields {
    std::array<std::string_view, 8> field;
    std::size_t count = 0;

    std::size_t size() const { return count; }
    std::string_view operator[](std::size_t i) const { return field[i]; }
};

Fields SplitFields(std::string_view line) {
    Fields fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == '\t' || line[i] == ',') {
            if (fields.count < fields.field.size()) {
                fields.field[fields.count] = line.substr(start, i - start);
            }
            ++fields.count;
            start = i + 1;
        }
    }
    return fields;
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A hemisphere field: one of the two letters the window's list offers, in either case.
bool ReadHemisphere(std::string_view field, char first, char second, std::string& letter) {
    const std::string_view text = Trimmed(field);
    if (text.size() != 1) {
        return false;
    }
    const char upper = text[0] >= 'a' && text[0] <= 'z' ? static_cast<char>(text[0] - 32) : text[0];
    if (upper != first && upper != second) {
        return false;
    }
    letter.assign(1, upper);
    return true;
}

std::string Fixed(double value, int decimals) {
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, written.ptr);
    if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos) {
        text.erase(0, 1); // a negative value that shows as zero is zero
    }
    return text;
}

BatchLine Failed(std::string reason) {
    return {{}, std::move(reason)};
}

BatchLine ToUtm(const Fields& fields, int datumPosition) {
    LatLongInputs inputs;
    inputs.datumPosition = datumPosition;
    std::string latitudeHemisphere;
    std::string longitudeHemisphere;
    if (fields.size() == 8) {
        inputs.latitude = {fields[0], fields[1], fields[2]};
        inputs.longitude = {fields[4], fields[5], fields[6]};
        if (!ReadHemisphere(fields[3], 'N', 'S', latitudeHemisphere)) {
            return Failed("the latitude hemisphere must be N or S");
        }
        if (!ReadHemisphere(fields[7], 'E', 'W', longitudeHemisphere)) {
            return Failed("the longitude hemisphere must be E or W");
        }
    } else if (fields.size() == 2) {
        // Signed decimal degrees: a leading "-" picks the south or west hemisphere.
        const auto unsign = [](std::string_view field, bool& negative) {
            const std::string_view text = Trimmed(field);
            negative = !text.empty() && text.front() == '-';
            return negative ? text.substr(1) : text;
        };
        bool south = false;
        bool west = false;
        inputs.latitude = {unsign(fields[0], south), {}, {}};
        inputs.longitude = {unsign(fields[1], west), {}, {}};
        latitudeHemisphere = south ? "S" : "N";
        longitudeHemisphere = west ? "W" : "E";
    } else {
        return Failed("expected 8 fields (degrees, minutes, seconds and N or S, twice) or 2 "
                      "(signed decimal degrees), found " +
                      std::to_string(fields.size()));
    }
    inputs.latitudeHemisphere = latitudeHemisphere;
    inputs.longitudeHemisphere = longitudeHemisphere;

    const auto result = ConvertLatLong(inputs);
    if (!result.Converted()) {
        return Failed(result.failure);
    }
    std::string output = std::to_string(result.zone);
    output.reserve(64);
    output.append("\t").append(result.band).append("\t");
    output.append(std::to_string(result.centralMeridian)).append("\t");
    output.append(TwoDecimalNumber(result.northing)).append("\t");
    output.append(TwoDecimalNumber(result.easting)).append("\t").append(result.gridReference);
    return {std::move(output), {}};
}

BatchLine ToLatLong(const Fields& fields, int datumPosition) {
    if (fields.size() != 4) {
        return Failed("expected 4 fields (northing, easting, zone, N or S), found " +
                      std::to_string(fields.size()));
    }
    std::string hemisphere;
    if (!ReadHemisphere(fields[3], 'N', 'S', hemisphere)) {
        return Failed("the hemisphere must be N or S");
    }
    const auto result =
        ConvertUtm({fields[0], fields[1], fields[2], hemisphere, datumPosition}, ".");
    if (!result.Converted()) {
        return Failed(result.failure);
    }
    // Far outside the zone a square index can reach the control characters; a tab or a line
    // end inside the grid reference would break the line apart.
    if (std::any_of(result.gridReference.begin(), result.gridReference.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        return Failed("the grid reference's square letters fall on control characters");
    }
    std::string output;
    output.reserve(96);
    for (const auto* texts : {&result.latitude, &result.longitude}) {
        for (const std::string& text : *texts) {
            output.append(text).append("\t");
        }
    }
    output.append(result.gridReference).append("\t");
    output.append(Fixed(result.position.latitude, 9)).append("\t");
    output.append(Fixed(result.position.longitude, 9));
    return {std::move(output), {}};
}

// Whether text is well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates and nothing beyond U+10FFFF.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int length = 0;
        unsigned minimum = 0;
        unsigned codePoint = 0;
        if (byte < 0x80) {
            length = 1;
        } else if ((byte & 0xE0) == 0xC0) {
            length = 2, minimum = 0x80, codePoint = byte & 0x1Fu;
        } else if ((byte & 0xF0) == 0xE0) {
            length = 3, minimum = 0x800, codePoint = byte & 0x0Fu;
        } else if ((byte & 0xF8) == 0xF0) {
            length = 4, minimum = 0x10000, codePoint = byte & 0x07u;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(length) > text.size()) {
            return false;
        }
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            codePoint = (codePoint << 6) | (next & 0x3Fu);
        }
        if (length > 1 && (codePoint < minimum || codePoint > 0x10FFFF ||
                           (codePoint >= 0xD800 && codePoint <= 0xDFFF))) {
            return false;
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

} // namespace

BatchLine ConvertBatchLine(BatchDirection direction, std::string_view line, int datumPosition) {
    if (Trimmed(line).empty()) {
        return Failed("the line is empty");
    }
    if (line.find('\0') != std::string_view::npos) {
        return Failed("the line holds a NUL byte");
    }
    if (!IsUtf8(line)) {
        return Failed("the line is not valid UTF-8");
    }
    const auto fields = SplitFields(line);
    return direction == BatchDirection::ToUtm ? ToUtm(fields, datumPosition)
                                              : ToLatLong(fields, datumPosition);
}

} // namespace korvane
