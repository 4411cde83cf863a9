#include "batch/StandardFields.hpp"

#include "base/AsciiLetters.hpp"
#include "base/DigitRun.hpp"
#include "batch/FieldChecks.hpp"
#include "batch/LineText.hpp"
#include "batch/UsualNotation.hpp"
#include "commands/GridRange.hpp"
#include "commands/ReadNumber.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/MgrsLettering.hpp"

#include <algorithm>

namespace korvane {

namespace {

constexpr int kLastZone = 60;
// A position on a band's edge may come back across it by rounding alone.
constexpr double kBandTolerance = 1e-9; // degrees, a tenth of a millimetre

// The numbers of a position, each read whole, the zone a whole number 0..60.
std::string ReadNumbers(std::string_view zone, std::string_view easting, std::string_view northing,
                        UtmUpsPosition& position) {
    // The usual line first: three plain numbers, the zone without a point, each read once.
    const std::optional<double> zoneNumber =
        zone.find('.') == std::string_view::npos ? ReadPlainNumber(zone) : std::nullopt;
    const std::optional<double> eastingNumber = ReadPlainNumber(easting);
    const std::optional<double> northingNumber = ReadPlainNumber(northing);
    if (zoneNumber && eastingNumber && northingNumber && *zoneNumber >= 0 &&
        *zoneNumber <= kLastZone) {
        position.zone = static_cast<int>(*zoneNumber);
        position.easting = *eastingNumber;
        position.northing = *northingNumber;
        return {};
    }
    for (const std::string& failure :
         {WholeNumberFailure("zone", zone), NumberFailure("easting", easting),
          NumberFailure("northing", northing)}) {
        if (!failure.empty()) {
            return failure;
        }
    }
    try {
        const double number = ReadNumber(zone);
        if (!(number >= 0 && number <= kLastZone)) {
            return FieldFailure("zone", zone, "is outside 0 (UPS) to 60");
        }
        position.zone = static_cast<int>(number);
        position.easting = ReadNumber(easting);
        position.northing = ReadNumber(northing);
    } catch (const ComputationFailure& failure) {
        return failure.what();
    }
    return {};
}

std::string ReadHemisphereField(std::string_view text, UtmUpsPosition& position) {
    const std::string_view letter = ReadHemisphere(text, "NS");
    if (letter.empty()) {
        return "the hemisphere must be N or S";
    }
    position.hemisphere = letter == "S" ? Hemisphere::South : Hemisphere::North;
    return {};
}

// The columns to-utm writes before its reference: zone, hemisphere, easting, northing.
std::string ReadToUtmColumns(std::span<const std::string_view> texts, StandardFields& standard) {
    if (std::string failure = ReadNumbers(texts[0], texts[2], texts[3], standard.position);
        !failure.empty()) {
        return failure;
    }
    return ReadHemisphereField(texts[1], standard.position);
}

// "38N", "38P", "N" (UPS), "0S": the zone, and its hemisphere or band.
std::string ReadZoneAndLetter(std::string_view text, std::string_view& zone,
                              StandardFields& standard) {
    const std::size_t digits = DigitRunLength(text);
    if (digits > 2 || text.size() != digits + 1 || !IsLetter(text.back())) {
        return FieldFailure("zone and letter", text,
                            "is not a zone of one or two digits and a letter (38N, 38P), or N or "
                            "S for UPS");
    }
    zone = digits == 0 ? std::string_view("0") : text.substr(0, digits);
    const char letter = UpperCase(text.back());
    if (letter == 'N' || letter == 'S') {
        standard.position.hemisphere = letter == 'S' ? Hemisphere::South : Hemisphere::North;
        return {};
    }
    if (digits == 0 || kUtmBands.find(letter) == std::string_view::npos) {
        return FieldFailure("zone and letter", text,
                            "has neither a hemisphere (N, S) nor a UTM band letter (C to X)");
    }
    standard.band = letter;
    standard.position.hemisphere = letter < 'N' ? Hemisphere::South : Hemisphere::North;
    return {};
}

// Whether the line, its blanks aside, starts as a reference: up to two digits of zone, then
// three letters (band, column, row).
bool StartsAsReference(std::string_view line) {
    std::string compact;
    for (const char c : line) {
        if (c != ' ' && compact.size() < 5) {
            compact += c;
        }
    }
    const std::size_t digits = DigitRunLength(compact);
    return digits <= 2 && compact.size() >= digits + 3 &&
           std::all_of(compact.begin() + static_cast<std::ptrdiff_t>(digits),
                       compact.begin() + static_cast<std::ptrdiff_t>(digits + 3), IsLetter);
}

std::string ReadFields(std::span<const std::string_view> fields, StandardFields& standard) {
    const auto texts = TrimmedFields(fields);
    switch (fields.size()) {
    case 1:
        standard.mgrs = texts[0];
        standard.mgrsAlone = true;
        return {};
    case 3: {
        if (!StartsWithZoneAndLetter(texts[0])) {
            break;
        }
        std::string_view zone;
        if (std::string failure = ReadZoneAndLetter(texts[0], zone, standard); !failure.empty()) {
            return failure;
        }
        return ReadNumbers(zone, texts[1], texts[2], standard.position);
    }
    case 4:
        if (!ReadHemisphere(texts[1], "NS").empty()) {
            return ReadToUtmColumns(texts, standard); // to-utm's line without its reference
        }
        if (std::string failure = ReadNumbers(texts[2], texts[1], texts[0], standard.position);
            !failure.empty()) {
            return failure;
        }
        return ReadHemisphereField(texts[3], standard.position);
    case 5:
        if (std::string failure = ReadToUtmColumns(texts, standard); !failure.empty()) {
            return failure;
        }
        standard.mgrs = texts[4];
        standard.mgrsBeside = true;
        return {};
    }
    return "expected 4 fields (northing, easting, zone, N or S; or zone, N or S, easting, "
           "northing), 3 (zone and letter, easting, northing), 5 (a line as to-utm writes it) or "
           "1 (an MGRS reference), found " +
           std::to_string(fields.size());
}

} // namespace

std::string ReadStandardFields(std::span<const std::string_view> fields, std::string_view blankLine,
                               StandardFields& standard) {
    // A zone with its letter and two more fields are the usual notation; a line whose letters
    // start, after a zone, with a band and a square's two letters is a reference, with its
    // parts apart or not; anything else is told by its number of fields.
    if (!blankLine.empty() && !IsBlankSeparatedUsualNotation(fields) &&
        StartsAsReference(blankLine)) {
        standard.mgrs = Trimmed(blankLine);
        standard.mgrsAlone = true;
        return {};
    }
    return ReadFields(fields, standard);
}

bool IsUpsSquare(std::string_view text) {
    return text.size() == 3 && kUpsBandLetters.find(UpperCase(text[0])) != std::string_view::npos &&
           IsLetter(text[1]) && IsLetter(text[2]);
}

std::string StandardBandFailure(char band, double latitude) {
    const auto [south, north] = UtmBandLatitudes(band);
    if (latitude >= south - kBandTolerance && latitude <= north + kBandTolerance) {
        return {};
    }
    return "band " + std::string(1, band) + " does not hold the position's latitude " +
           SixDecimals(latitude);
}

} // namespace korvane
