#include "batch/StandardLine.hpp"

#include "batch/LatLongFields.hpp"
#include "batch/StandardFields.hpp"
#include "commands/DegreesText.hpp"
#include "commands/LatLongConversion.hpp"

namespace korvane {

namespace {

constexpr std::string_view kUtmColumns[] = {"zone", "hemisphere", "easting", "northing", "mgrs"};
constexpr std::string_view kLatLongColumns[] = {"latitude", "longitude"};

} // namespace

StandardLine::StandardLine(const BatchSettings& settings, const StandardGrid& grid,
                           ThreadShift* shift)
    : settings_(settings), grid_(grid), shift_(shift) {}

std::span<const std::string_view> StandardLine::Columns(const BatchSettings& settings) {
    return settings.direction == BatchDirection::ToUtm
               ? std::span<const std::string_view>(kUtmColumns)
               : std::span<const std::string_view>(kLatLongColumns);
}

std::string StandardLine::ToUtm(std::span<const std::string_view> position, bool blankSeparated,
                                std::string& output) {
    LatLongDegrees degrees;
    if (std::string failure = ReadLatLongDegrees(position, blankSeparated, degrees);
        !failure.empty()) {
        return failure;
    }
    GeodeticPosition signedPosition = degrees.Signed();
    if (shift_ != nullptr) {
        if (std::string failure = shift_->Apply(signedPosition); !failure.empty()) {
            return failure;
        }
    }
    const StandardUtm result =
        ConvertToStandardGrid(signedPosition, grid_, settings_.mgrsPrecision);
    if (!result.Converted()) {
        return result.failure;
    }
    output.append(std::to_string(result.position.zone))
        .append(result.position.hemisphere == Hemisphere::South ? "\tS\t" : "\tN\t");
    AppendMillimetres(output, result.position.easting);
    output.push_back('\t');
    AppendMillimetres(output, result.position.northing);
    output.append("\t").append(result.mgrs);
    return {};
}

std::string StandardLine::ToLatLong(std::span<const std::string_view> position,
                                    std::string_view blankLine, std::string& output) {
    StandardFields fields;
    if (std::string failure = ReadStandardFields(position, blankLine, fields); !failure.empty()) {
        return failure;
    }
    const StandardLatLong result = fields.mgrsAlone
                                       ? ConvertFromMgrs(fields.mgrs, grid_)
                                       : ConvertFromStandardGrid(fields.position, grid_);
    if (!result.Converted()) {
        return result.failure;
    }
    GeodeticPosition converted = result.position;
    if (fields.band != 0) {
        if (std::string failure = StandardBandFailure(fields.band, converted.latitude);
            !failure.empty()) {
            return failure;
        }
    }
    if (fields.mgrsBeside) {
        if (std::string failure =
                MgrsMismatch(fields.mgrs, fields.position, converted.latitude, grid_);
            !failure.empty()) {
            return failure;
        }
    }
    if (shift_ != nullptr) {
        if (std::string failure = shift_->Apply(converted); !failure.empty()) {
            return failure;
        }
    }
    if (settings_.latLongOutput == LatLongOutput::Degrees) {
        AppendDecimalDegrees(output, converted.latitude, settings_.decimals);
        output.push_back('\t');
        AppendDecimalDegrees(output, converted.longitude, settings_.decimals);
    } else {
        AppendDegreesMinutesSeconds(output, converted.latitude, settings_.decimals, "NS");
        output.push_back('\t');
        AppendDegreesMinutesSeconds(output, converted.longitude, settings_.decimals, "EW");
    }
    return {};
}

} // namespace korvane
