#pragma once

#include "datumshift/DatumShift.hpp"
#include "datumshift/GeodeticDatum.hpp"

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace korvane {

// The datum shift of a call: the positions' datum and the grid's, resolved through PROJ, and a
// copy of the shift for each thread the call converts on (PROJ's objects serve one thread at a
// time), made with the interpreter's lock held before the threads start. Each call makes its own.
class ThreadShifts {
  public:
    // From the positions' datum to the grid's (towardsGrid), or back. Throws DatumFailure.
    ThreadShifts(const std::string& positions, const std::string& grid, bool towardsGrid,
                 bool anyway);

    // Copies for threads 0 to threads - 1.
    void Prepare(std::size_t threads);
    // On the thread numbered `thread`, once prepared for it.
    ShiftedPosition Shift(std::size_t thread, const GeodeticPosition& position) {
        return shifts_[thread].Shift(position);
    }

    const GeodeticDatum& Positions() const { return positions_; }
    const GeodeticDatum& Grid() const { return grid_; }
    // The grid's ellipsoid with its exact axes; a view of Grid()'s texts.
    DatumEntry GridEllipsoid() const { return grid_.Ellipsoid(); }
    // What each transformation is, in PROJ's order, and whether all are ballpark.
    std::vector<std::string> Operations() const;
    bool OnlyBallpark() const { return shifts_.front().OnlyBallpark(); }

  private:
    GeodeticDatum positions_;
    GeodeticDatum grid_;
    std::vector<DatumShift> shifts_; // the first made from the datums, the others its copies
};

// What a call does with its shift, where it has one (shift may be null): copies for its threads,
// then each finite position shifted on its thread, returning the failure or an empty text (a
// number that is none fails as such in the conversion). Inline: every element passes here.
inline void PrepareShifts(ThreadShifts* shift, std::size_t threads) {
    if (shift != nullptr) {
        shift->Prepare(threads);
    }
}
inline std::string ShiftOn(ThreadShifts* shift, std::size_t thread, GeodeticPosition& position) {
    if (shift == nullptr || !std::isfinite(position.latitude) ||
        !std::isfinite(position.longitude)) {
        return {};
    }
    ShiftedPosition shifted = shift->Shift(thread, position);
    position = shifted.position;
    return std::move(shifted.failure);
}

} // namespace korvane
