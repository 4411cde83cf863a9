#include "batch/BatchLine.hpp"

#include "batch/LatLongFields.hpp"
#include "batch/LineText.hpp"
#include "batch/RunDatums.hpp"
#include "batch/StandardFields.hpp"
#include "batch/UtmFields.hpp"
#include "commands/AngleBoxes.hpp"
#include "commands/GridRange.hpp"
#include "commands/LatLongConversion.hpp"
#include "commands/NumberText.hpp"
#include "commands/UtmConversion.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/GridReference.hpp"

#include <charconv>

namespace korvane {

namespace {

constexpr std::string_view kErrorField = "Error\t";

constexpr std::string_view kUtmColumns[] = {"zone",     "band",    "central_meridian",
                                            "northing", "easting", "grid_reference"};
constexpr std::string_view kLatLongColumns[] = {
    "latitude_degrees",  "latitude_minutes",  "latitude_seconds",  "latitude_hemisphere",
    "longitude_degrees", "longitude_minutes", "longitude_seconds", "longitude_hemisphere",
    "grid_reference",    "latitude",          "longitude"};
constexpr std::string_view kDegreesColumns[] = {"latitude", "longitude"};

void AppendInteger(std::string& output, int value) {
    char digits[16];
    output.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

} // namespace

std::string BatchLine::Convert(std::string_view line, std::string& output) {
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
        failure = CopyFieldsAndPickPosition(output);
        position = picked_;
    }
    if (failure.empty()) {
        const std::size_t resultStart = output.size();
        // Fields picked by number are what they are said to be, however they were separated.
        const bool blankSeparated = settings_.positionFields.empty() && splitter_.BlankSeparated();
        const std::string_view blankLine = blankSeparated ? line : std::string_view();
        if (standard_) {
            failure = settings_.direction == BatchDirection::ToUtm
                          ? standard_->ToUtm(position, blankSeparated, output)
                          : standard_->ToLatLong(position, blankLine, output);
        } else {
            failure = settings_.direction == BatchDirection::ToUtm
                          ? ToUtm(position, blankSeparated, output)
                          : ToLatLong(position, blankLine, output);
        }
        if (!failure.empty()) {
            output.resize(resultStart);
        }
    }
    if (!failure.empty()) {
        output.append(kErrorField).append(failure);
    }
    return failure;
}

std::string BatchLine::CopyOwnFields(std::string& output) const {
    const auto fields = splitter_.Fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].find('\t') != std::string_view::npos) {
            return "field " + std::to_string(i + 1) + " holds a tab";
        }
    }
    for (const std::string_view field : fields) {
        output.append(field).push_back('\t');
    }
    return {};
}

std::string BatchLine::CopyFieldsAndPickPosition(std::string& output) {
    if (std::string failure = CopyOwnFields(output); !failure.empty()) {
        return failure;
    }
    const auto fields = splitter_.Fields();
    picked_.clear();
    for (const std::size_t index : settings_.positionFields) {
        if (index >= fields.size()) {
            return "field " + std::to_string(index + 1) + " is missing: the line has " +
                   std::to_string(fields.size()) + (fields.size() == 1 ? " field" : " fields");
        }
        picked_.push_back(fields[index]);
    }
    return {};
}

namespace {

// The grid's ellipsoid: the windows' list's entry, or with a datum shift the grid datum's own.
DatumEntry GridEllipsoid(const BatchSettings& settings) {
    return settings.datums != nullptr
               ? settings.datums->GridEllipsoid()
               : DatumForListPosition(static_cast<std::int16_t>(settings.datumPosition));
}

// The standard grid of the run, on the same ellipsoid.
StandardGrid RunStandardGrid(const BatchSettings& settings) {
    const RunDatums* datums = settings.datums;
    return datums != nullptr
               ? StandardGrid::OnEllipsoid(datums->ellipsoidName, datums->a, datums->b,
                                           settings.zone, settings.hemisphere)
               : StandardGrid::OnListed(settings.datumPosition, settings.zone, settings.hemisphere);
}

} // namespace

BatchLine::BatchLine(const BatchSettings& settings)
    : settings_(settings), forwardTerms_(GridEllipsoid(settings)),
      inverseTerms_(GridEllipsoid(settings)) {
    if (settings.datums != nullptr) {
        shift_.emplace(*settings.datums);
    }
    if (settings.grid == GridMode::Standard) {
        standard_.emplace(settings, RunStandardGrid(settings), shift_ ? &*shift_ : nullptr);
    }
}

bool BatchLine::TakesWithoutDigits(std::string_view line) const {
    return standard_ && settings_.direction == BatchDirection::ToLatLong &&
           IsUpsSquare(Trimmed(line));
}

const std::vector<long>* BatchLine::ShiftUses() const {
    return shift_ ? &shift_->Uses() : nullptr;
}

void BatchLine::AnswerHeader(std::string_view line, std::string& output) {
    // A header whose own fields cannot be written out is answered with the column names alone.
    if (!settings_.positionFields.empty() && splitter_.Split(line).empty()) {
        CopyOwnFields(output);
    }
    using Columns = std::span<const std::string_view>;
    const Columns columns = standard_ ? StandardLine::Columns(settings_)
                            : settings_.direction == BatchDirection::ToUtm ? Columns(kUtmColumns)
                            : settings_.latLongOutput == LatLongOutput::Degrees
                                ? Columns(kDegreesColumns)
                                : Columns(kLatLongColumns);
    for (const std::string_view column : columns) {
        output.append(column).push_back('\t');
    }
    output.pop_back();
}

std::string BatchLine::ToUtm(std::span<const std::string_view> position, bool blankSeparated,
                             std::string& output) {
    LatLongDegrees degrees;
    if (std::string failure = ReadLatLongDegrees(position, blankSeparated, degrees);
        !failure.empty()) {
        return failure;
    }
    if (shift_) {
        // The position shifted to the grid's datum, its hemispheres those of the shifted one.
        GeodeticPosition shifted = degrees.Signed();
        if (std::string failure = shift_->Apply(shifted); !failure.empty()) {
            return failure;
        }
        degrees = LatLongDegrees::FromSigned(shifted);
    }
    const auto result = ConvertLatLong(degrees, forwardTerms_);
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
                                 std::string_view blankLine, std::string& output) {
    if (!position.empty() && Trimmed(position[0]) == "Error") {
        return "the line is an Error line";
    }
    UtmFields utm;
    const std::string failure =
        blankLine.empty() ? ReadUtmFields(position, inverseTerms_, utm)
                          : ReadBlankSeparatedUtm(blankLine, position, inverseTerms_, utm);
    if (!failure.empty()) {
        return failure;
    }
    auto result = ConvertUtm(utm.numbers, inverseTerms_);
    if (!result.Converted()) {
        return result.failure;
    }
    if (!BandFailure(utm, result.position.latitude).empty() ||
        !PoleFailure(result.position.latitude).empty()) {
        // The verdict is the same from either series' position, but the message quotes the
        // latitude to six decimals, which only the library's series gives to the last digit.
        const double latitude = ProjectFromUtm(result.utm, inverseTerms_).latitude;
        const std::string pole = PoleFailure(latitude);
        return pole.empty() ? BandFailure(utm, latitude) : pole;
    }
    if (shift_) {
        // Shifted from the library series' position, whose digits are the same whatever the
        // build; the grid reference stays the grid's.
        result.position = ProjectFromUtm(result.utm, inverseTerms_);
        if (std::string unshifted = shift_->Apply(result.position); !unshifted.empty()) {
            return unshifted;
        }
    }
    if (settings_.latLongOutput != LatLongOutput::Degrees) {
        std::string compact;
        std::string_view reference = result.gridReference;
        if (settings_.compactReference) {
            compact = CompactGridReference(reference);
            reference = compact;
        }
        AppendLatitudeBoxes(output, result, utm.HemisphereLetter(), ".", '\t');
        AppendLongitudeBoxes(output, result, ".", '\t');
        output.append(reference).push_back('\t');
    }
    AppendNineDecimalDegrees(output, result.position.latitude);
    output.push_back('\t');
    AppendNineDecimalDegrees(output, result.position.longitude);
    return {};
}

} // namespace korvane
