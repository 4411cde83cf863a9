#pragma once

#include "datumshift/GeocentricShift.hpp"
#include "datumshift/GeodeticDatum.hpp"
#include "datumshift/OperationChoice.hpp"
#include "datumshift/ProjContext.hpp"
#include "datumshift/ShiftOperation.hpp"
#include "geodesy/Coordinates.hpp"

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvane {

// What a shift gives for one position.
struct ShiftedPosition {
    std::string failure;       // empty when shifted, else why not, naming the position
    GeodeticPosition position; // on the target datum, in degrees, longitude within -180..180
    std::size_t operation = 0; // the index in Operations() of the transformation applied; of
                               // no meaning for a failure

    bool Shifted() const { return failure.empty(); }
};

// What becomes of a position outside the area of use of every transformation PROJ's database has
// for the pair, where PROJ itself falls back on a ballpark transformation (which may be off by
// hundreds of metres) or on the first transformation that needs no grid.
enum class OutsideAreas {
    Fail,        // the position fails, naming itself and the pair's area of use
    ShiftAnyway, // PROJ's fallback result is given
};

// The shift of positions from one geodetic datum to another, through the transformations that
// PROJ's database gives for the pair, as cs2cs takes them (proj_create_crs_to_crs_from_pj with
// its default options, the network off, grids where proj-data installs them): PROJ's candidates,
// in PROJ's order, and for every position the one PROJ 9.1's proj_trans would choose there (see
// ChosenOperation). Positions go in and come out as latitude and longitude in signed degrees.
//
// Knowing the transformation applied to each position is what lets the front end name each one
// as it is first used; PROJ tells that only through proj_trans_get_last_used_operation, which
// copies the transformation at every call (about 44 us, a hundred times a shift). So the choice is
// made here, as PROJ makes it, and each candidate is applied on its own: through proj_trans, or
// where it is an affine map between the ellipsoids' Earth-centred coordinates, as most are,
// through GeocentricShift, which agrees with it to a micrometre in about a quarter of its time.
//
// PROJ's objects serve one thread at a time: the object is move-only, and CopyForThread makes an
// independent one for another thread.
class DatumShift {
  public:
    // Throws DatumFailure when PROJ's database has no transformation between the two.
    DatumShift(const GeodeticDatum& from, const GeodeticDatum& to,
               OutsideAreas outside = OutsideAreas::Fail);

    DatumShift(DatumShift&&) noexcept = default;
    DatumShift& operator=(DatumShift&&) noexcept = default;
    ~DatumShift() = default;

    // An independent shift for another thread, in a context of its own, with the same candidates
    // in the same order and the same results. Make copies before the threads start, from the
    // thread that owns this one. Throws DatumFailure when PROJ cannot copy a transformation.
    DatumShift CopyForThread() const;

    // PROJ's candidates, in PROJ's order: what ShiftedPosition::operation indexes.
    std::span<const ShiftOperation> Operations() const { return operations_; }

    // Whether PROJ found only ballpark transformations: then, unless ShiftAnyway, every position
    // fails.
    bool OnlyBallpark() const;

    // The smaller of the two datums' areas of use, which PROJ searches transformations for.
    const std::optional<AreaOfUse>& Area() const { return area_; }

    // The position on the target datum. A failure names the position and says why: outside the
    // area of use of every transformation (see OutsideAreas), or PROJ's error text for a position
    // it could not shift (a latitude beyond 90, a position outside a grid); never a NaN.
    ShiftedPosition Shift(const GeodeticPosition& position);

  private:
    // What belongs to one PROJ context, destroyed together: the transformations before their
    // context.
    struct Proj {
        ProjContext context;
        std::vector<ProjObject> transformations; // normalised: longitude, latitude in degrees
    };

    struct Copy {};
    DatumShift(const DatumShift& other, Copy);

    // The shift by one transformation, or PROJ's failure.
    ShiftedPosition Apply(std::size_t operation, const GeodeticPosition& position);
    ShiftedPosition Outside(const GeodeticPosition& position, const std::string& failed) const;

    GeodeticDatum from_;
    GeodeticDatum to_;
    OutsideAreas outside_;
    std::optional<AreaOfUse> area_;
    std::vector<ShiftOperation> operations_;
    // PROJ's candidate boxes, in its order, with the transformation of each; or, where PROJ uses
    // one transformation for every position, that one.
    OperationChooser chooser_{{}};
    std::vector<std::size_t> boxOperations_;
    std::optional<std::size_t> onlyOperation_;
    std::vector<std::optional<GeocentricShift>> geocentric_; // by operation
    std::string outsideText_;
    std::unique_ptr<Proj> proj_;
};

} // namespace korvane
