#include "batch/UtmFields.hpp"

#include "batch/FieldChecks.hpp"
#include "batch/LineText.hpp"
#include "commands/ReadNumber.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/GridReferenceReading.hpp"
#include "geodesy/Int16.hpp"

#include <algorithm>
#include <charconv>

namespace korvane {

namespace {

std::string UpperCaseText(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return UpperCase(c); });
    return text;
}

// The shortest text that reads back as exactly this value, written into buffer.
template <typename Number> std::string_view ShortestText(char (&buffer)[32], Number value) {
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

// Northing, easting, zone and hemisphere, as the UTM window takes them.
std::string ReadFourFields(std::span<const std::string_view> fields, UtmFields& utm) {
    const auto texts = TrimmedFields(fields);
    for (const std::string& failure :
         {NumberFailure("northing", texts[0]), NumberFailure("easting", texts[1]),
          WholeNumberFailure("zone", texts[2])}) {
        if (!failure.empty()) {
            return failure;
        }
    }
    utm.northing = texts[0];
    utm.easting = texts[1];
    utm.zone = texts[2];
    utm.hemisphere = ReadHemisphere(texts[3], "NS");
    return utm.hemisphere.empty() ? "the hemisphere must be N or S" : std::string();
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
        const std::int16_t zone = RoundToInt16(ReadNumber(texts[0]), "reading the zone");
        if (ReadNumber(texts[2]) != CentralMeridian(zone)) {
            return FieldFailure("central meridian", texts[2],
                                "is not that of zone " + std::string(texts[0]));
        }
        const double northing = ReadNumber(texts[3]);
        const std::string reference =
            GridReference(zone, std::string_view(&band, 1), ReadNumber(texts[4]), northing);
        if (UpperCaseText(CompactGridReference(texts[5])) != CompactGridReference(reference)) {
            return FieldFailure("grid reference", texts[5], "is not that of the line's position");
        }
        // To-UTM writes 0 degrees south with the false northing and the band of 0 degrees, N.
        const bool equatorFromSouth = band == 'N' && northing == kFalseNorthing;
        utm.northing = texts[3];
        utm.easting = texts[4];
        utm.zone = texts[0];
        utm.hemisphere = band < 'N' || equatorFromSouth ? "S" : "N";
        utm.band = band;
        utm.bandLatitudes = latitudes;
    } catch (const ComputationFailure& failure) {
        return failure.what();
    }
    return {};
}

// A grid reference, as the centre of the square it names.
std::string ReadReference(std::string_view field, const InverseTerms& terms, UtmFields& utm) {
    const GridReferenceReading reading = ReadGridReference(Trimmed(field), terms);
    if (!reading.Read()) {
        return reading.failure;
    }
    utm.northing = ShortestText(utm.written[0], reading.utm.northing);
    utm.easting = ShortestText(utm.written[1], reading.utm.easting);
    utm.zone = ShortestText(utm.written[2], reading.utm.zone);
    utm.hemisphere = reading.utm.hemisphere == Hemisphere::South ? "S" : "N";
    return {};
}

} // namespace

std::string ReadUtmFields(std::span<const std::string_view> fields, const InverseTerms& terms,
                          UtmFields& utm) {
    switch (fields.size()) {
    case 4:
        return ReadFourFields(fields, utm);
    case 6:
        return ReadUtmLine(fields, utm);
    case 1:
        return ReadReference(fields[0], terms, utm);
    default:
        return "expected 4 fields (northing, easting, zone, N or S), 6 (a line as to-utm writes "
               "it) or 1 (a grid reference), found " +
               std::to_string(fields.size());
    }
}

std::string BandFailure(const UtmFields& utm, double latitude) {
    if (!utm.bandLatitudes || utm.bandLatitudes->DegreesOutside(latitude) <= kBandEdgeTolerance) {
        return {};
    }
    char degrees[32];
    const auto written =
        std::to_chars(degrees, degrees + sizeof degrees, latitude, std::chars_format::fixed, 6);
    return "band " + std::string(1, utm.band) + " does not hold the position's latitude " +
           std::string(degrees, written.ptr);
}

} // namespace korvane
