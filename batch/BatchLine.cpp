#include "batch/BatchLine.hpp"

#include "commands/LatLongConversion.hpp"
#include "commands/NumberText.hpp"
#include "commands/UtmConversion.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <string>

namespace korvane {

namespace {

// The fields of a line: the first eight are kept, all are counted.
struct Fields {
    static constexpr std::size_t kKept = 8;
    std::array<std::string_view, kKept> field;
    std::size_t count = 0;

    std::size_t size() const { return count; }
    std::string_view operator[](std::size_t i) const { return field[i]; }
};

Fields SplitFields(std::string_view line) {
    // Each kind of separator is searched for on its own, which memchr does many characters at
    // a time; only the kind just passed is searched for again.
    constexpr auto kNone = std::string_view::npos;
    std::size_t comma = line.find(',');
    std::size_t tab = line.find('\t');
    Fields fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(comma, tab);
        if (fields.count < Fields::kKept) {
            fields.field[fields.count] = line.substr(start, end - start);
        }
        ++fields.count;
        if (end == kNone) {
            return fields;
        }
        start = end + 1;
        (end == comma ? comma : tab) = line.find(line[end], start);
    }
}

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A hemisphere field: one of the two letters the window's list offers, in either case. Gives
// the letter as the list holds it (out of letters, a literal), or nothing.
std::string_view ReadHemisphere(std::string_view field, std::string_view letters) {
    const std::string_view text = Trimmed(field);
    if (text.size() != 1) {
        return {};
    }
    const char upper = text[0] >= 'a' && text[0] <= 'z' ? static_cast<char>(text[0] - 32) : text[0];
    const auto at = letters.find(upper);
    return at == std::string_view::npos ? std::string_view() : letters.substr(at, 1);
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

void AppendInteger(std::string& output, int value) {
    char digits[16];
    output.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// Appends the fields to output, separated by tabs.
void AppendFields(std::string& output, std::initializer_list<std::string_view> fields) {
    for (const std::string_view field : fields) {
        output.append(field).push_back('\t');
    }
    output.pop_back();
}

std::string ToUtm(const Fields& fields, int datumPosition, std::string& output) {
    LatLongInputs inputs;
    inputs.datumPosition = datumPosition;
    if (fields.size() == 8) {
        inputs.latitude = {fields[0], fields[1], fields[2]};
        inputs.longitude = {fields[4], fields[5], fields[6]};
        inputs.latitudeHemisphere = ReadHemisphere(fields[3], "NS");
        inputs.longitudeHemisphere = ReadHemisphere(fields[7], "EW");
        if (inputs.latitudeHemisphere.empty()) {
            return "the latitude hemisphere must be N or S";
        }
        if (inputs.longitudeHemisphere.empty()) {
            return "the longitude hemisphere must be E or W";
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
        inputs.latitudeHemisphere = south ? "S" : "N";
        inputs.longitudeHemisphere = west ? "W" : "E";
    } else {
        return "expected 8 fields (degrees, minutes, seconds and N or S, twice) or 2 (signed "
               "decimal degrees), found " +
               std::to_string(fields.size());
    }

    const auto result = ConvertLatLong(inputs);
    if (!result.Converted()) {
        return result.failure;
    }
    AppendInteger(output, result.zone);
    output.append("\t").append(result.band).append("\t");
    AppendInteger(output, result.centralMeridian);
    output.append("\t");
    AppendTwoDecimalNumber(output, result.northing);
    output.append("\t");
    AppendTwoDecimalNumber(output, result.easting);
    output.append("\t").append(result.gridReference);
    return {};
}

std::string ToLatLong(const Fields& fields, int datumPosition, std::string& output) {
    if (fields.size() != 4) {
        return "expected 4 fields (northing, easting, zone, N or S), found " +
               std::to_string(fields.size());
    }
    const std::string_view hemisphere = ReadHemisphere(fields[3], "NS");
    if (hemisphere.empty()) {
        return "the hemisphere must be N or S";
    }
    const auto result =
        ConvertUtm({fields[0], fields[1], fields[2], hemisphere, datumPosition}, ".");
    if (!result.Converted()) {
        return result.failure;
    }
    // Far outside the zone a square index can reach the control characters; a tab or a line
    // end inside the grid reference would break the line apart.
    if (std::any_of(result.gridReference.begin(), result.gridReference.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        return "the grid reference's square letters fall on control characters";
    }
    const auto& latitude = result.latitude;
    const auto& longitude = result.longitude;
    AppendFields(output, {latitude[0], latitude[1], latitude[2], latitude[3], longitude[0],
                          longitude[1], longitude[2], longitude[3], result.gridReference,
                          Fixed(result.position.latitude, 9), Fixed(result.position.longitude, 9)});
    return {};
}

// Plain ASCII without control characters other than the tab: the usual line, which needs none
// of the checks below.
bool IsPlainText(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= ' ' && c < 0x7F) || c == '\t'; });
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

std::string ConvertBatchLine(BatchDirection direction, std::string_view line, int datumPosition,
                             std::string& output) {
    if (Trimmed(line).empty()) {
        return "the line is empty";
    }
    if (!IsPlainText(line)) {
        if (line.find('\0') != std::string_view::npos) {
            return "the line holds a NUL byte";
        }
        if (!IsUtf8(line)) {
            return "the line is not valid UTF-8";
        }
    }
    const auto fields = SplitFields(line);
    return direction == BatchDirection::ToUtm ? ToUtm(fields, datumPosition, output)
                                              : ToLatLong(fields, datumPosition, output);
}

} // namespace korvane
