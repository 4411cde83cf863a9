#include "batch/BatchLine.hpp"

#include "batch/AngleText.hpp"
#include "batch/DecimalText.hpp"
#include "batch/LineText.hpp"
#include "commands/LatLongConversion.hpp"
#include "commands/NumberText.hpp"
#include "commands/ReadNumber.hpp"
#include "commands/UtmConversion.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/GridReferenceReading.hpp"
#include "geodesy/Int16.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <optional>
#include <span>

namespace korvane {

namespace {

constexpr std::string_view kErrorField = "Error\t";

constexpr std::string_view kUtmColumns[] = {"zone",     "band",    "central_meridian",
                                            "northing", "easting", "grid_reference"};
constexpr std::string_view kLatLongColumns[] = {
    "latitude_degrees",  "latitude_minutes",  "latitude_seconds",  "latitude_hemisphere",
    "longitude_degrees", "longitude_minutes", "longitude_seconds", "longitude_hemisphere",
    "grid_reference",    "latitude",          "longitude"};

// Appends the fields to output, separated by tabs.
void AppendFields(std::string& output, std::initializer_list<std::string_view> fields) {
    for (const std::string_view field : fields) {
        output.append(field).push_back('\t');
    }
    output.pop_back();
}

void AppendInteger(std::string& output, int value) {
    char digits[16];
    output.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
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

// The shortest text that reads back as exactly this value, written into buffer.
template <typename Number> std::string_view ShortestText(char (&buffer)[32], Number value) {
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

std::string FieldFailure(std::string_view role, std::string_view text, std::string_view reason) {
    return std::string(role) + " " + Quoted(text) + " " + std::string(reason);
}

// A number field: all of it a number, or the failure.
std::string NumberFailure(std::string_view role, std::string_view text) {
    if (text.empty()) {
        return std::string(role) + " is empty";
    }
    return IsDecimalNumber(text) ? std::string() : FieldFailure(role, text, "is not a number");
}

std::string ZoneFailure(std::string_view text) {
    if (text.empty()) {
        return "zone is empty";
    }
    return IsWholeNumber(text) ? std::string()
                               : FieldFailure("zone", text, "is not a whole number");
}

// A hemisphere field: one of the two letters, in either case. Gives the letter as the window's
// list holds it (out of letters, a literal), or nothing.
std::string_view ReadHemisphere(std::string_view text, std::string_view letters) {
    if (text.size() != 1) {
        return {};
    }
    const char upper = text[0] >= 'a' && text[0] <= 'z' ? static_cast<char>(text[0] - 32) : text[0];
    const auto at = letters.find(upper);
    return at == std::string_view::npos ? std::string_view() : letters.substr(at, 1);
}

std::array<std::string_view, 8> TrimmedFields(std::span<const std::string_view> fields) {
    std::array<std::string_view, 8> texts;
    std::transform(fields.begin(), fields.end(), texts.begin(), Trimmed);
    return texts;
}

// The Lat/Long window's eight inputs, each field read whole.
std::string ReadEightFields(std::span<const std::string_view> fields, LatLongInputs& inputs) {
    static constexpr const char* kRoles[] = {
        "latitude degrees",  "latitude minutes",  "latitude seconds",  "",
        "longitude degrees", "longitude minutes", "longitude seconds", ""};
    const auto texts = TrimmedFields(fields);
    for (const std::size_t i : {0, 1, 2, 4, 5, 6}) {
        if (std::string failure = NumberFailure(kRoles[i], texts[i]); !failure.empty()) {
            return failure;
        }
    }
    inputs.latitude = {texts[0], texts[1], texts[2]};
    inputs.longitude = {texts[4], texts[5], texts[6]};
    inputs.latitudeHemisphere = ReadHemisphere(texts[3], "NS");
    inputs.longitudeHemisphere = ReadHemisphere(texts[7], "EW");
    if (inputs.latitudeHemisphere.empty()) {
        return "the latitude hemisphere must be N or S";
    }
    if (inputs.longitudeHemisphere.empty()) {
        return "the longitude hemisphere must be E or W";
    }
    return {};
}

bool IsLatitudeLetter(char letter) {
    return letter == 'N' || letter == 'S';
}

bool IsLongitudeLetter(char letter) {
    return letter == 'E' || letter == 'W';
}

// A latitude and a longitude, one field each, in any form AngleText reads.
std::string ReadTwoFields(std::span<const std::string_view> fields, LatLongInputs& inputs) {
    const std::string_view texts[] = {Trimmed(fields[0]), Trimmed(fields[1])};
    AngleText angles[2];
    std::string failures[2];
    for (std::size_t i = 0; i < 2; ++i) {
        if (!texts[i].empty()) {
            failures[i] = ReadAngleText(texts[i], angles[i]);
        }
    }
    // The longitude may come first, when both fields say which is which.
    const bool longitudeFirst =
        IsLongitudeLetter(angles[0].hemisphere) && IsLatitudeLetter(angles[1].hemisphere);
    const std::size_t latitudeAt = longitudeFirst ? 1 : 0;
    for (std::size_t i = 0; i < 2; ++i) {
        const char* role = i == latitudeAt ? "latitude" : "longitude";
        if (texts[i].empty()) {
            return std::string(role) + " is empty";
        }
        if (!failures[i].empty()) {
            return FieldFailure(role, texts[i], failures[i]);
        }
    }
    const AngleText& latitude = angles[latitudeAt];
    const AngleText& longitude = angles[1 - latitudeAt];
    // A letter of the other kind: say why the fields were not taken the other way round.
    const auto misplaced = [&](const char* role, std::size_t at, const char* kind) {
        const bool otherHasLetter = angles[1 - at].hemisphere != 0;
        return FieldFailure(role, texts[at],
                            std::string("carries a ") + kind + "'s hemisphere letter" +
                                (otherHasLetter ? ""
                                                : "; the longitude may come first only when "
                                                  "both fields carry one"));
    };
    if (IsLongitudeLetter(latitude.hemisphere)) {
        return misplaced("latitude", latitudeAt, "longitude");
    }
    if (IsLatitudeLetter(longitude.hemisphere)) {
        return misplaced("longitude", 1 - latitudeAt, "latitude");
    }
    inputs.latitude = latitude.parts;
    inputs.longitude = longitude.parts;
    inputs.latitudeHemisphere = latitude.negative || latitude.hemisphere == 'S' ? "S" : "N";
    inputs.longitudeHemisphere = longitude.negative || longitude.hemisphere == 'W' ? "W" : "E";
    return {};
}

// A band letter as BandLetter writes it, in either case: "A", "C" to "X" without "I" and "O",
// or "Z". Gives it in upper case, or 0 for another text.
char BandLetterOf(std::string_view band) {
    if (band.size() != 1) {
        return 0;
    }
    const char letter =
        band[0] >= 'a' && band[0] <= 'z' ? static_cast<char>(band[0] - 32) : band[0];
    const bool valid = letter == 'A' || letter == 'Z' ||
                       (letter >= 'C' && letter <= 'X' && letter != 'I' && letter != 'O');
    return valid ? letter : 0;
}

// Whether a band letter names the latitude's band. The inverse series is not the forward one's
// exact inverse, so a point on a band's edge may come back a millionth of a degree across it.
bool BandHolds(char band, double latitude) {
    constexpr double kEdge = 1e-5; // degrees, about a metre
    const std::string_view letter(&band, 1);
    return BandLetter(latitude) == letter || BandLetter(latitude - kEdge) == letter ||
           BandLetter(latitude + kEdge) == letter;
}

struct UtmTexts {
    std::string_view northing;
    std::string_view easting;
    std::string_view zone;
    std::string_view hemisphere;
    char band = 0; // given with the position, to be checked against the result
};

// A line as to-UTM writes it: zone, band, central meridian, northing, easting, grid reference.
// Every field is read: the central meridian and the grid reference must be the ones that the
// zone, band, easting and northing give.
std::string ReadUtmLine(std::span<const std::string_view> fields, UtmTexts& utm) {
    const auto texts = TrimmedFields(fields);
    if (std::string failure = ZoneFailure(texts[0]); !failure.empty()) {
        return failure;
    }
    const char band = BandLetterOf(texts[1]);
    if (band == 0) {
        return FieldFailure("band", texts[1], "is not a band letter (A, C to X, Z)");
    }
    for (const std::size_t i : {2, 3, 4}) {
        static constexpr const char* kRoles[] = {"", "", "central meridian", "northing", "easting"};
        if (std::string failure = NumberFailure(kRoles[i], texts[i]); !failure.empty()) {
            return failure;
        }
    }
    try {
        const std::int16_t zone = RoundToInt16(ReadNumber(texts[0]), "reading the zone");
        if (ReadNumber(texts[2]) != CentralMeridian(zone)) {
            return FieldFailure("central meridian", texts[2],
                                "is not that of zone " + std::string(texts[0]));
        }
        const double northing = ReadNumber(texts[3]);
        const std::string reference =
            GridReference(zone, std::string_view(&band, 1), ReadNumber(texts[4]), northing);
        std::string given = CompactGridReference(texts[5]);
        std::transform(given.begin(), given.end(), given.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
        if (given != CompactGridReference(reference)) {
            return FieldFailure("grid reference", texts[5], "is not that of the line's position");
        }
        // To-UTM writes 0 degrees south with the false northing and the band of 0 degrees, N.
        const bool equatorFromSouth = band == 'N' && northing == kFalseNorthing;
        utm = {texts[3], texts[4], texts[0], band < 'N' || equatorFromSouth ? "S" : "N", band};
    } catch (const ComputationFailure& failure) {
        return failure.what();
    }
    return {};
}

// Northing, easting, zone and hemisphere, as the UTM window takes them.
std::string ReadFourFields(std::span<const std::string_view> fields, UtmTexts& utm) {
    const auto texts = TrimmedFields(fields);
    for (std::string failure : {NumberFailure("northing", texts[0]),
                                NumberFailure("easting", texts[1]), ZoneFailure(texts[2])}) {
        if (!failure.empty()) {
            return failure;
        }
    }
    utm = {texts[0], texts[1], texts[2], ReadHemisphere(texts[3], "NS")};
    return utm.hemisphere.empty() ? "the hemisphere must be N or S" : std::string();
}

} // namespace

std::string BatchLine::Convert(std::string_view line, std::string& output) {
    const std::size_t start = output.size();
    // An Error line of to-UTM's, piped on: its reason, commas and all, goes on with it.
    if (settings_.direction == BatchDirection::ToLatLong && settings_.positionFields.empty() &&
        line.starts_with(kErrorField)) {
        const std::string_view reason = line.substr(kErrorField.size());
        if (!reason.empty() && reason.find('\t') == std::string_view::npos) {
            output.append(line);
            return std::string(reason);
        }
    }
    std::string failure = splitter_.Split(line);
    std::span<const std::string_view> position = splitter_.Fields();
    if (failure.empty() && !settings_.positionFields.empty()) {
        const auto fields = splitter_.Fields();
        for (std::size_t i = 0; i < fields.size() && failure.empty(); ++i) {
            if (fields[i].find('\t') != std::string_view::npos) {
                failure = "field " + std::to_string(i + 1) + " holds a tab";
            }
        }
        if (failure.empty()) {
            for (const std::string_view field : fields) {
                output.append(field).push_back('\t');
            }
            picked_.clear();
            for (const std::size_t index : settings_.positionFields) {
                if (index >= fields.size()) {
                    failure = "field " + std::to_string(index + 1) + " is missing: the line has " +
                              std::to_string(fields.size()) +
                              (fields.size() == 1 ? " field" : " fields");
                    break;
                }
                picked_.push_back(fields[index]);
            }
            position = picked_;
        }
    }
    if (failure.empty()) {
        const std::size_t resultStart = output.size();
        failure = settings_.direction == BatchDirection::ToUtm ? ToUtm(position, output)
                                                               : ToLatLong(position, output);
        if (!failure.empty()) {
            output.resize(resultStart);
        }
    } else if (settings_.positionFields.empty() || output.size() == start) {
        output.resize(start);
    }
    if (!failure.empty()) {
        output.append(kErrorField).append(failure);
    }
    return failure;
}

void BatchLine::AnswerHeader(std::string_view line, std::string& output) {
    if (!settings_.positionFields.empty() && splitter_.Split(line).empty()) {
        const auto fields = splitter_.Fields();
        if (std::none_of(fields.begin(), fields.end(),
                         [](std::string_view field) { return field.find('\t') != field.npos; })) {
            for (const std::string_view field : fields) {
                output.append(field).push_back('\t');
            }
        }
    }
    const std::span<const std::string_view> columns =
        settings_.direction == BatchDirection::ToUtm
            ? std::span<const std::string_view>(kUtmColumns)
            : kLatLongColumns;
    for (const std::string_view column : columns) {
        output.append(column).push_back('\t');
    }
    output.pop_back();
}

std::string BatchLine::ToUtm(std::span<const std::string_view> position,
                             std::string& output) const {
    LatLongInputs inputs;
    inputs.datumPosition = settings_.datumPosition;
    std::string failure;
    if (position.size() == 2) {
        failure = ReadTwoFields(position, inputs);
    } else if (position.size() == 8) {
        failure = ReadEightFields(position, inputs);
    } else {
        failure = "expected 2 fields (latitude, longitude) or 8 (degrees, minutes, seconds and N "
                  "or S, twice), found " +
                  std::to_string(position.size());
    }
    if (!failure.empty()) {
        return failure;
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
    output.append("\t");
    if (settings_.compactReference) {
        output.append(CompactGridReference(result.gridReference));
    } else {
        output.append(result.gridReference);
    }
    return {};
}

std::string BatchLine::ToLatLong(std::span<const std::string_view> position,
                                 std::string& output) const {
    if (!position.empty() && Trimmed(position[0]) == "Error") {
        return "the line is an Error line";
    }
    UtmTexts utm;
    std::string failure;
    char numbers[3][32]; // the texts of a grid reference's position
    if (position.size() == 4) {
        failure = ReadFourFields(position, utm);
    } else if (position.size() == 6) {
        failure = ReadUtmLine(position, utm);
    } else if (position.size() == 1) {
        const std::string_view text = Trimmed(position[0]);
        const GridReferenceReading reading = ReadGridReference(
            text, DatumForListPosition(static_cast<std::int16_t>(settings_.datumPosition)));
        if (!reading.Read()) {
            return reading.failure;
        }
        utm = {ShortestText(numbers[0], reading.utm.northing),
               ShortestText(numbers[1], reading.utm.easting),
               ShortestText(numbers[2], reading.utm.zone),
               reading.utm.hemisphere == Hemisphere::South ? "S" : "N"};
    } else {
        failure = "expected 4 fields (northing, easting, zone, N or S), 6 (a line as to-utm "
                  "writes it) or 1 (a grid reference), found " +
                  std::to_string(position.size());
    }
    if (!failure.empty()) {
        return failure;
    }
    const auto result = ConvertUtm(
        {utm.northing, utm.easting, utm.zone, utm.hemisphere, settings_.datumPosition}, ".");
    if (!result.Converted()) {
        return result.failure;
    }
    if (utm.band != 0 && !BandHolds(utm.band, result.position.latitude)) {
        return "band " + std::string(1, utm.band) + " does not hold the position's latitude " +
               Fixed(result.position.latitude, 6);
    }
    // Far outside the zone a square index can reach the control characters; a tab or a line
    // end inside the grid reference would break the line apart.
    if (!LineFault(result.gridReference).empty() ||
        result.gridReference.find('\t') != std::string::npos) {
        return "the grid reference's square letters fall on control characters";
    }
    std::string compact;
    std::string_view reference = result.gridReference;
    if (settings_.compactReference) {
        compact = CompactGridReference(reference);
        reference = compact;
    }
    const auto& latitude = result.latitude;
    const auto& longitude = result.longitude;
    AppendFields(output, {latitude[0], latitude[1], latitude[2], latitude[3], longitude[0],
                          longitude[1], longitude[2], longitude[3], reference,
                          Fixed(result.position.latitude, 9), Fixed(result.position.longitude, 9)});
    return {};
}

} // namespace korvane
