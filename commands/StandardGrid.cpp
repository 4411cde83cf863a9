#include "commands/StandardGrid.hpp"

#include "geodesy/DefiningEllipsoid.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/MgrsReading.hpp"
#include "geodesy/MgrsReference.hpp"

#include <cmath>

namespace korvane {

StandardGrid::StandardGrid(const EllipsoidShape& ellipsoid, MgrsLettering lettering_,
                           std::optional<int> zone_, std::optional<Hemisphere> hemisphere_)
    : terms(ellipsoid), lettering(lettering_), zone(zone_), hemisphere(hemisphere_) {}

StandardGrid StandardGrid::OnEllipsoid(std::string_view name, double a, double b,
                                       std::optional<int> zone,
                                       std::optional<Hemisphere> hemisphere) {
    return StandardGrid(EllipsoidShape(a, b), LetteringForDatum(name), zone, hemisphere);
}

StandardGrid StandardGrid::OnListed(int listPosition, std::optional<int> zone,
                                    std::optional<Hemisphere> hemisphere) {
    const DefiningEllipsoid& ellipsoid = DefiningEllipsoidAt(listPosition);
    return OnEllipsoid(ellipsoid.listName, ellipsoid.a, ellipsoid.b, zone, hemisphere);
}

StandardUtm ConvertToStandardGrid(const GeodeticPosition& position, const StandardGrid& grid,
                                  int mgrsPrecision) {
    StandardUtm result;
    try {
        result.position = UtmUpsForward(position, grid.terms, grid.zone, grid.hemisphere);
    } catch (const ComputationFailure& failure) {
        result.failure = failure.what();
        return result;
    }
    try {
        result.mgrs =
            MgrsReference(result.position, position.latitude, mgrsPrecision, grid.lettering);
    } catch (const ComputationFailure& failure) {
        // A zone asked for reaches beyond the squares that MGRS letters: there the position
        // stands without a reference. A standard position always has one.
        if (!grid.zone) {
            result = StandardUtm{};
            result.failure = failure.what();
        }
    }
    return result;
}

StandardLatLong ConvertFromStandardGrid(const UtmUpsPosition& position, const StandardGrid& grid) {
    StandardLatLong result;
    try {
        const bool asked = grid.zone && *grid.zone == position.zone;
        result.position = UtmUpsReverse(position, grid.terms,
                                        asked ? GridRanges::ForcedZone : GridRanges::Standard);
    } catch (const ComputationFailure& failure) {
        result.failure = failure.what();
    }
    return result;
}

StandardLatLong ConvertFromMgrs(std::string_view reference, const StandardGrid& grid) {
    const MgrsReading reading = ReadMgrs(reference, grid.terms, grid.lettering);
    if (!reading.Read()) {
        return {reading.failure, {}};
    }
    return ConvertFromStandardGrid(reading.position, grid);
}

std::string MgrsMismatch(std::string_view reference, const UtmUpsPosition& position,
                         double latitude, const StandardGrid& grid) {
    if (reference.empty()) {
        // None is written only beyond the squares that MGRS letters.
        try {
            const GridReferenceText own = MgrsReference(position, latitude, 0, grid.lettering);
            return "the MGRS reference is empty, though the position has one (" +
                   std::string(own.View()) + ")";
        } catch (const ComputationFailure&) {
            return {};
        }
    }
    // The numbers are written to the millimetre and the reference's digits truncated from the
    // exact ones: the square may hold the written numbers only to within half a millimetre.
    constexpr double kWrittenRounding = 0.0005; // metres
    const MgrsReading reading = ReadMgrs(reference, grid.terms, grid.lettering);
    if (!reading.Read()) {
        return reading.failure;
    }
    const double halfSide = 0.5 * std::pow(10.0, kMostMgrsPrecision - reading.precision);
    const UtmUpsPosition& centre = reading.position;
    const auto holds = [&](double coordinate, double middle) {
        return std::fabs(coordinate - middle) <= halfSide + kWrittenRounding;
    };
    // A northing across the equator is counted from the other hemisphere's origin.
    const double northing = centre.hemisphere == position.hemisphere ? position.northing
                            : position.hemisphere == Hemisphere::North
                                ? position.northing + kFalseNorthing
                                : position.northing - kFalseNorthing;
    if (centre.zone == position.zone && holds(position.easting, centre.easting) &&
        holds(northing, centre.northing)) {
        return {};
    }
    return "the MGRS reference \"" + std::string(reference) +
           "\" is not that of the line's position";
}

} // namespace korvane
