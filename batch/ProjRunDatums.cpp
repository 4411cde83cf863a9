// The datum shift plugin's source: the run's datums through PROJ (see batch/DatumShiftPlugin.hpp).

#include "batch/DatumShiftPlugin.hpp"
#include "datumshift/DatumShift.hpp"
#include "datumshift/GeodeticDatum.hpp"

#include <cstdio>
#include <exception>
#include <type_traits>

namespace korvane {

namespace {

class ProjPositionShift final : public PositionShift {
  public:
    explicit ProjPositionShift(DatumShift shift) : shift_(std::move(shift)) {}

    Shifted Shift(const GeodeticPosition& position) override {
        ShiftedPosition shifted = shift_.Shift(position);
        return {std::move(shifted.failure), shifted.position, shifted.operation};
    }

    std::unique_ptr<PositionShift> CopyForThread() const override {
        return std::make_unique<ProjPositionShift>(shift_.CopyForThread());
    }

  private:
    DatumShift shift_;
};

RunDatums ResolveThroughProj(const std::string& positions, const std::string& grid,
                             bool towardsGrid, bool anyway) {
    const GeodeticDatum positionDatum = ResolveDatum(positions);
    const GeodeticDatum gridDatum = ResolveDatum(grid);
    const GeodeticDatum& from = towardsGrid ? positionDatum : gridDatum;
    const GeodeticDatum& to = towardsGrid ? gridDatum : positionDatum;
    DatumShift shift(from, to, anyway ? OutsideAreas::ShiftAnyway : OutsideAreas::Fail);
    RunDatums datums;
    datums.ellipsoidName = gridDatum.ellipsoidName;
    datums.a = gridDatum.a;
    datums.b = gridDatum.b;
    for (const ShiftOperation& operation : shift.Operations()) {
        datums.operations.push_back(operation.Describe());
    }
    char axes[96];
    std::snprintf(axes, sizeof axes, "a = %.4f m, b = %.4f m", gridDatum.a, gridDatum.b);
    datums.notes.push_back("the grid is on " + gridDatum.Named() + ", ellipsoid " +
                           gridDatum.ellipsoidName + " (" + axes + "); the positions on " +
                           positionDatum.Named());
    for (const GeodeticDatum* datum : {&positionDatum, &gridDatum}) {
        if (!datum->note.empty()) {
            datums.notes.push_back(datum->note);
        }
    }
    if (shift.OnlyBallpark()) {
        datums.notes.push_back("PROJ knows only a ballpark transformation from " + from.Named() +
                               " to " + to.Named() + ", which may be off by hundreds of metres");
    }
    datums.shift = std::make_unique<ProjPositionShift>(std::move(shift));
    return datums;
}

} // namespace

} // namespace korvane

extern "C" [[gnu::visibility("default")]] void
KorvaneResolveRunDatums(const std::string& positions, const std::string& grid, bool towardsGrid,
                        bool anyway, korvane::RunDatums& datums, std::string& failure) {
    static_assert(
        std::is_same_v<decltype(KorvaneResolveRunDatums), korvane::ResolveRunDatumsEntry>);
    try {
        datums = korvane::ResolveThroughProj(positions, grid, towardsGrid, anyway);
    } catch (const std::exception& what) { // DatumFailure, and no memory left
        failure = what.what();
    }
}
