#include "datumshift/DatumShift.hpp"

#include "datumshift/DatumFailure.hpp"
#include "datumshift/QuotedNumber.hpp"

#include <cmath>
#include <limits>

namespace korvane {

namespace {

ProjObject Crs(const ProjContext& context, const GeodeticDatum& datum) {
    const auto colon = datum.code.find(':');
    ProjObject crs;
    if (colon != std::string::npos) {
        crs.reset(proj_create_from_database(context.Get(), datum.code.substr(0, colon).c_str(),
                                            datum.code.substr(colon + 1).c_str(), PJ_CATEGORY_CRS,
                                            0, nullptr));
    }
    if (!crs) {
        throw DatumFailure("PROJ's database has no CRS " + datum.Named() + ": " +
                           context.LastLoggedError());
    }
    return crs;
}

// The box's size in square degrees, enough to tell the smaller of two areas.
double Size(const AreaOfUse& area) {
    return area.Width() * (area.north - area.south);
}

// PROJ takes its candidates' boxes as the areas of use state them, the world's as unbounded, and
// one across the antimeridian as two, west and east of it.
void AddBoxes(const AreaOfUse& area, double accuracy, std::vector<OperationBox>& boxes) {
    const bool offshore = area.name.find("- offshore") != std::string::npos;
    if (area.west == -180 && area.south == -90 && area.east == 180 && area.north == 90) {
        constexpr double kMax = std::numeric_limits<double>::max();
        boxes.push_back({-kMax, -kMax, kMax, kMax, accuracy, offshore});
    } else if (area.west <= area.east) {
        boxes.push_back({area.west, area.south, area.east, area.north, accuracy, offshore});
    } else {
        boxes.push_back({area.west, area.south, 180, area.north, accuracy, offshore});
        boxes.push_back({-180, area.south, area.east, area.north, accuracy, offshore});
    }
}

} // namespace

DatumShift::DatumShift(const GeodeticDatum& from, const GeodeticDatum& to, OutsideAreas outside)
    : from_(from), to_(to), outside_(outside), proj_(std::make_unique<Proj>()) {
    const ProjContext& context = proj_->context;
    PJ_CONTEXT* const c = context.Get();
    const ProjObject source = Crs(context, from);
    const ProjObject target = Crs(context, to);

    // The candidates as proj_create_crs_to_crs_from_pj finds them without options.
    const ProjOperationFactory factory(proj_create_operation_factory_context(c, nullptr));
    if (!factory) {
        throw DatumFailure("PROJ could not search transformations: " + context.LastLoggedError());
    }
    proj_operation_factory_context_set_allow_ballpark_transformations(c, factory.get(), 1);
    proj_operation_factory_context_set_spatial_criterion(
        c, factory.get(), PROJ_SPATIAL_CRITERION_PARTIAL_INTERSECTION);
    proj_operation_factory_context_set_grid_availability_use(
        c, factory.get(), PROJ_GRID_AVAILABILITY_DISCARD_OPERATION_IF_MISSING_GRID);
    const ProjObjectList found(
        proj_create_operations(c, source.get(), target.get(), factory.get()));
    const int count = found ? proj_list_get_count(found.get()) : 0;
    if (count == 0) {
        throw DatumFailure("PROJ's database has no transformation from " + from.Named() + " to " +
                           to.Named());
    }

    std::vector<OperationBox> boxes;
    for (int i = 0; i < count; ++i) {
        const ProjObject operation(proj_list_get(c, found.get(), i));
        ProjObject normalised(operation ? proj_normalize_for_visualization(c, operation.get())
                                        : nullptr);
        if (!normalised) {
            throw DatumFailure("PROJ could not prepare a transformation from " + from.Named() +
                               " to " + to.Named() + ": " + context.LastLoggedError());
        }
        ShiftOperation description;
        description.name = NameOf(operation.get());
        description.code = CodeOf(operation.get());
        const double accuracy = proj_coordoperation_get_accuracy(c, operation.get());
        if (accuracy >= 0) {
            description.accuracy = accuracy;
        }
        description.ballpark =
            proj_coordoperation_has_ballpark_transformation(c, operation.get()) != 0;
        description.usesGrids = proj_coordoperation_get_grid_used_count(c, operation.get()) > 0;
        description.area = AreaOfUseOf(context, operation.get());

        const std::size_t index = operations_.size();
        if (description.area) {
            AddBoxes(*description.area, accuracy, boxes);
            boxOperations_.resize(boxes.size(), index);
        }
        geocentric_.push_back(description.ballpark ? std::nullopt
                                                   : GeocentricShift::Of(context, normalised.get(),
                                                                         description.area));
        operations_.push_back(std::move(description));
        proj_->transformations.push_back(std::move(normalised));
    }
    // PROJ uses a lone candidate for every position, as it does the one candidate with an area.
    if (count == 1) {
        onlyOperation_ = 0;
    } else if (boxes.size() == 1) {
        onlyOperation_ = boxOperations_.front();
    } else if (boxes.empty()) {
        throw DatumFailure("PROJ's transformations from " + from.Named() + " to " + to.Named() +
                           " state no area of use");
    } else {
        chooser_ = OperationChooser(std::move(boxes));
    }

    const bool fromSmaller = from.area && (!to.area || Size(*from.area) <= Size(*to.area));
    area_ = fromSmaller ? from.area : to.area;
    const std::string pair = from.Named() + " to " + to.Named();
    if (OnlyBallpark()) {
        outsideText_ = ": PROJ knows no transformation from " + pair + ", only a ballpark one";
    } else {
        // The area's name can be a paragraph: the message names its datum and bounds instead.
        outsideText_ =
            " is outside the area of use of every transformation PROJ knows from " + pair;
        if (area_) {
            outsideText_ +=
                " (" + (fromSmaller ? from : to).name + " is used within " + area_->Bounds() + ")";
        }
    }
}

DatumShift::DatumShift(const DatumShift& other, Copy)
    : from_(other.from_), to_(other.to_), outside_(other.outside_), area_(other.area_),
      operations_(other.operations_), chooser_(other.chooser_),
      boxOperations_(other.boxOperations_), onlyOperation_(other.onlyOperation_),
      geocentric_(other.geocentric_), outsideText_(other.outsideText_),
      proj_(std::make_unique<Proj>()) {
    for (const ProjObject& transformation : other.proj_->transformations) {
        ProjObject copy(proj_clone(proj_->context.Get(), transformation.get()));
        if (!copy) {
            throw DatumFailure("PROJ could not copy the transformation " +
                               operations_[proj_->transformations.size()].name + ": " +
                               proj_->context.LastLoggedError());
        }
        proj_->transformations.push_back(std::move(copy));
    }
}

DatumShift DatumShift::CopyForThread() const {
    return DatumShift(*this, Copy{});
}

bool DatumShift::OnlyBallpark() const {
    for (const ShiftOperation& operation : operations_) {
        if (!operation.ballpark) {
            return false;
        }
    }
    return true;
}

ShiftedPosition DatumShift::Shift(const GeodeticPosition& position) {
    const bool anyway = outside_ == OutsideAreas::ShiftAnyway;
    if (onlyOperation_) {
        const ShiftOperation& only = operations_[*onlyOperation_];
        if (!anyway && (only.ballpark || (only.area && !only.area->Contains(position)))) {
            return Outside(position, {});
        }
        return Apply(*onlyOperation_, position);
    }
    // As proj_trans: the candidate chosen here, and where it fails (outside a grid), the next one
    // chosen without it, three times at most.
    std::size_t excluded[2] = {};
    std::size_t excludedCount = 0;
    std::string failed;
    for (int attempt = 0; attempt <= 2; ++attempt) {
        const auto box = chooser_.Choose(position, std::span(excluded, excludedCount));
        if (!box) {
            break;
        }
        const std::size_t operation = boxOperations_[*box];
        if (operations_[operation].ballpark && !anyway) {
            return Outside(position, failed);
        }
        ShiftedPosition shifted = Apply(operation, position);
        if (shifted.Shifted()) {
            return shifted;
        }
        failed = std::move(shifted.failure);
        if (attempt < 2) {
            excluded[excludedCount++] = *box;
        }
    }
    if (!anyway) {
        return Outside(position, failed);
    }
    // PROJ's last resort: the first candidate that needs no grid.
    for (const std::size_t operation : boxOperations_) {
        if (!operations_[operation].usesGrids) {
            return Apply(operation, position);
        }
    }
    return {"PROJ has no transformation that needs no grid for latitude " +
                QuotedNumber(position.latitude) + ", longitude " +
                QuotedNumber(position.longitude) + ": " + failed,
            {},
            0};
}

ShiftedPosition DatumShift::Apply(std::size_t operation, const GeodeticPosition& position) {
    const std::optional<GeocentricShift>& geocentric = geocentric_[operation];
    if (geocentric && std::abs(position.latitude) <= 90 && std::abs(position.longitude) <= 180) {
        return {{}, geocentric->Apply(position), operation};
    }
    PJ* const transformation = proj_->transformations[operation].get();
    const PJ_COORD shifted = proj_trans(
        transformation, PJ_FWD, proj_coord(position.longitude, position.latitude, 0, HUGE_VAL));
    if (std::isfinite(shifted.xyzt.x) && std::isfinite(shifted.xyzt.y)) {
        // A shift may carry a longitude just across the antimeridian.
        const double longitude = shifted.xyzt.x > 180    ? shifted.xyzt.x - 360
                                 : shifted.xyzt.x < -180 ? shifted.xyzt.x + 360
                                                         : shifted.xyzt.x;
        return {{}, {shifted.xyzt.y, longitude}, operation};
    }
    const int error = proj_errno(transformation);
    proj_errno_reset(transformation);
    return {"PROJ could not shift latitude " + QuotedNumber(position.latitude) + ", longitude " +
                QuotedNumber(position.longitude) + " from " + from_.Named() + " to " + to_.Named() +
                " with " + operations_[operation].name + ": " +
                (error != 0 ? proj_->context.ErrorText(error) : "no finite result"),
            {},
            operation};
}

ShiftedPosition DatumShift::Outside(const GeodeticPosition& position,
                                    const std::string& failed) const {
    return {"latitude " + QuotedNumber(position.latitude) + ", longitude " +
                QuotedNumber(position.longitude) + outsideText_ +
                (failed.empty() ? "" : " (" + failed + ")"),
            {},
            0};
}

} // namespace korvane
