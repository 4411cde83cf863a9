#include "batch/LatLongFields.hpp"

#include "batch/AngleText.hpp"
#include "batch/FieldChecks.hpp"
#include "batch/LineText.hpp"

namespace korvane {

namespace {

bool IsLatitudeLetter(char letter) {
    return letter == 'N' || letter == 'S';
}

bool IsLongitudeLetter(char letter) {
    return letter == 'E' || letter == 'W';
}

// The Lat/Long window's eight inputs, each field read whole.
std::string ReadEightFields(std::span<const std::string_view> fields, LatLongInputs& inputs) {
    static constexpr const char* kRoles[] = {
        "latitude degrees",  "latitude minutes",  "latitude seconds",  "",
        "longitude degrees", "longitude minutes", "longitude seconds", ""};
    const auto texts = TrimmedFields(fields);
    for (const std::size_t i : {0u, 1u, 2u, 4u, 5u, 6u}) {
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

// The fields into the window's inputs, which view their texts.
std::string ReadLatLongFields(std::span<const std::string_view> fields, bool blankSeparated,
                              LatLongInputs& inputs) {
    if (fields.size() == 2) {
        return ReadTwoFields(fields, inputs);
    }
    if (fields.size() == 8) {
        return ReadEightFields(fields, inputs);
    }
    if (blankSeparated) {
        // "33 52 10.5 S 151 12 36" or "33.86 S 151.21 E" could be parts of one angle or angles
        // of their own: nothing is guessed.
        return std::to_string(fields.size()) +
               " fields separated by blanks have more than one reading: give the latitude and "
               "the longitude as two fields (33.86S 151.21E), the window's eight, or separate "
               "the fields with commas or tabs";
    }
    return "expected 2 fields (latitude, longitude) or 8 (degrees, minutes, seconds and N or S, "
           "twice), found " +
           std::to_string(fields.size());
}

} // namespace

std::string ReadLatLongDegrees(std::span<const std::string_view> fields, bool blankSeparated,
                               LatLongDegrees& degrees) {
    LatLongInputs inputs;
    if (std::string failure = ReadLatLongFields(fields, blankSeparated, inputs); !failure.empty()) {
        return failure;
    }
    return ReadLatLong(inputs, degrees);
}

} // namespace korvane
