#include "batch/UtmFields.hpp"

#include "base/AsciiLetters.hpp"
#include "base/DigitRun.hpp"
#include "batch/FieldChecks.hpp"
#include "batch/LineText.hpp"
#include "batch/UsualNotation.hpp"
#include "commands/GridRange.hpp"
#include "commands/ReadNumber.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/GridReferenceReading.hpp"
#include "geodesy/Int16.hpp"

#include <algorithm>

namespace korvane {

namespace {

std::string UpperCaseText(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return UpperCase(c); });
    return text;
}

// An empty text, or which of the position's numbers lies off the grid, quoting its field.
std::string RangeFailure(const UtmNumbers& numbers, std::string_view northing,
                         std::string_view easting, std::string_view zone) {
    const OffTheGrid where = WhereOffTheGrid(numbers);
    const std::string_view reason = OffTheGridReason(where);
    switch (where) {
    case OffTheGrid::Zone:
        return FieldFailure("zone", zone, reason);
    case OffTheGrid::Easting:
        return FieldFailure("easting", easting, reason);
    case OffTheGrid::Northing:
        return FieldFailure("northing", northing, reason);
    case OffTheGrid::Not:
        break;
    }
    return {};
}

// Northing, easting, zone and hemisphere, as the UTM window takes them. A number in the usual
// plain form is read as it is checked; one in any other accepted form is read once every field
// has been checked, as reading it can still fail ("9e999" is too large for a double).
std::string ReadFourFields(std::span<const std::string_view> fields, UtmFields& utm) {
    const auto texts = TrimmedFields(fields);
    const std::optional<double> northing = ReadPlainNumber(texts[0]);
    const std::optional<double> easting = ReadPlainNumber(texts[1]);
    if (!northing) {
        if (std::string failure = NumberFailure("northing", texts[0]); !failure.empty()) {
            return failure;
        }
    }
    if (!easting) {
        if (std::string failure = NumberFailure("easting", texts[1]); !failure.empty()) {
            return failure;
        }
    }
    // A plain number without a point is whole.
    const std::optional<double> zone =
        texts[2].find('.') == std::string_view::npos ? ReadPlainNumber(texts[2]) : std::nullopt;
    if (!zone) {
        if (std::string failure = WholeNumberFailure("zone", texts[2]); !failure.empty()) {
            return failure;
        }
    }
    const std::string_view hemisphere = ReadHemisphere(texts[3], "NS");
    if (hemisphere.empty()) {
        return "the hemisphere must be N or S";
    }
    try {
        utm.numbers.northing = northing ? *northing : ReadNumber(texts[0]);
        utm.numbers.easting = easting ? *easting : ReadNumber(texts[1]);
        utm.numbers.zone = zone ? *zone : ReadNumber(texts[2]);
    } catch (const ComputationFailure& failure) {
        return failure.what();
    }
    utm.numbers.hemisphere = hemisphere == "S" ? Hemisphere::South : Hemisphere::North;
    return RangeFailure(utm.numbers, texts[0], texts[1], texts[2]);
}

// A line as to-UTM writes it: zone, band, central meridian, northing, easting, grid reference.
std::string ReadUtmLine(std::span<const std::string_view> fields, UtmFields& utm) {
    const auto texts = TrimmedFields(fields);
    if (std::string failure = WholeNumberFailure("zone", texts[0]); !failure.empty()) {
        return failure;
    }
    const char band = texts[1].size() == 1 ? UpperCase(texts[1][0]) : 0;
    const auto latitudes = BandLatitudes(band);
    if (!latitudes) {
        return FieldFailure("band", texts[1], "is not a band letter (A, C to X, Z)");
    }
    for (const std::string& failure :
         {NumberFailure("central meridian", texts[2]), NumberFailure("northing", texts[3]),
          NumberFailure("easting", texts[4])}) {
        if (!failure.empty()) {
            return failure;
        }
    }
    try {
        const double zoneNumber = ReadNumber(texts[0]);
        const std::int16_t zone = RoundToInt16(zoneNumber, "reading the zone");
        if (ReadNumber(texts[2]) != CentralMeridian(zone)) {
            return FieldFailure("central meridian", texts[2],
                                "is not that of zone " + std::string(texts[0]));
        }
        const double northing = ReadNumber(texts[3]);
        const double easting = ReadNumber(texts[4]);
        if (std::string failure =
                RangeFailure({northing, easting, zoneNumber}, texts[3], texts[4], texts[0]);
            !failure.empty()) {
            return failure;
        }
        const GridReferenceText reference =
            GridReference(zone, std::string_view(&band, 1), easting, northing);
        if (UpperCaseText(CompactGridReference(texts[5])) != CompactGridReference(reference)) {
            return FieldFailure("grid reference", texts[5], "is not that of the line's position");
        }
        // To-UTM writes 0 degrees south with the false northing and the band of 0 degrees, N.
        const bool equatorFromSouth = band == 'N' && northing == kFalseNorthing;
        const bool south = band < 'N' || equatorFromSouth;
        utm.numbers = {northing, easting, zoneNumber,
                       south ? Hemisphere::South : Hemisphere::North};
        utm.band = band;
        utm.bandLatitudes = latitudes;
    } catch (const ComputationFailure& failure) {
        return failure.what();
    }
    return {};
}

// The zone and its letter of the usual notation, "38N" or "38P": N and S name the hemisphere,
// as GeoConvert reads them; any other letter is a band, which gives the hemisphere and must hold
// the position. Gives the failure, or the zone's text and fills utm.
std::string ReadZoneAndLetter(std::string_view text, std::string_view& zone, UtmFields& utm) {
    const std::size_t digits = DigitRunLength(text);
    if (digits == 0 || digits > 2 || text.size() != digits + 1) {
        return FieldFailure("zone and letter", text,
                            "is not a zone of one or two digits and a letter, as 38N or 38P");
    }
    zone = text.substr(0, digits);
    const char letter = UpperCase(text.back());
    if (letter == 'N' || letter == 'S') {
        utm.numbers.hemisphere = letter == 'S' ? Hemisphere::South : Hemisphere::North;
        return {};
    }
    utm.bandLatitudes = BandLatitudes(letter);
    if (!utm.bandLatitudes) {
        return FieldFailure("zone and letter", text,
                            "has neither a hemisphere (N, S) nor a band letter (A, C to X, Z)");
    }
    utm.band = letter;
    utm.numbers.hemisphere = letter < 'N' ? Hemisphere::South : Hemisphere::North;
    return {};
}

// The usual notation: the zone with its hemisphere or band, the easting, the northing.
std::string ReadZoneEastingNorthing(std::span<const std::string_view> fields, UtmFields& utm) {
    const auto texts = TrimmedFields(fields);
    std::string_view zone;
    for (const std::string& failure :
         {ReadZoneAndLetter(texts[0], zone, utm), NumberFailure("easting", texts[1]),
          NumberFailure("northing", texts[2])}) {
        if (!failure.empty()) {
            return failure;
        }
    }
    try {
        utm.numbers.zone = ReadNumber(zone);
        utm.numbers.easting = ReadNumber(texts[1]);
        utm.numbers.northing = ReadNumber(texts[2]);
    } catch (const ComputationFailure& failure) {
        return failure.what();
    }
    return RangeFailure(utm.numbers, texts[2], texts[1], texts[0]);
}

// A grid reference, as the centre of the square it names.
std::string ReadReference(std::string_view field, const InverseTerms& terms, UtmFields& utm) {
    const GridReferenceReading reading = ReadGridReference(Trimmed(field), terms);
    if (!reading.Read()) {
        return reading.failure;
    }
    utm.numbers = {reading.utm.northing, reading.utm.easting, static_cast<double>(reading.utm.zone),
                   reading.utm.hemisphere};
    return {};
}

} // namespace

std::string ReadUtmFields(std::span<const std::string_view> fields, const InverseTerms& terms,
                          UtmFields& utm) {
    switch (fields.size()) {
    case 4:
        return ReadFourFields(fields, utm);
    case 3:
        if (StartsWithZoneAndLetter(fields[0])) { // the notation is told by its first field alone
            return ReadZoneEastingNorthing(fields, utm);
        }
        break;
    case 6:
        return ReadUtmLine(fields, utm);
    case 1:
        return ReadReference(fields[0], terms, utm);
    }
    return "expected 4 fields (northing, easting, zone, N or S), 3 (zone and letter, easting, "
           "northing), 6 (a line as to-utm writes it) or 1 (a grid reference), found " +
           std::to_string(fields.size());
}

std::string ReadBlankSeparatedUtm(std::string_view line, std::span<const std::string_view> fields,
                                  const InverseTerms& terms, UtmFields& utm) {
    if (IsBlankSeparatedUsualNotation(fields)) {
        return ReadZoneEastingNorthing(fields, utm);
    }
    const std::string_view first = fields[0];
    const bool zoneApart = first.size() <= 2 && DigitRunLength(first) == first.size() &&
                           IsLetter(fields[1].front()); // "38 P   MC  02339  55355"
    if ((StartsWithZoneAndLetter(first) && DigitRunLength(first) > 0) || zoneApart) {
        return ReadReference(line, terms, utm);
    }
    return ReadUtmFields(fields, terms, utm);
}

std::string BandFailure(const UtmFields& utm, double latitude) {
    if (!utm.bandLatitudes || utm.bandLatitudes->DegreesOutside(latitude) <= kBandEdgeTolerance) {
        return {};
    }
    return "band " + std::string(1, utm.band) + " does not hold the position's latitude " +
           SixDecimals(latitude);
}

} // namespace korvane
