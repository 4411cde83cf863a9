#pragma once

#include "geodesy/Coordinates.hpp"
#include "geodesy/DatumTable.hpp"

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvane {

// A datum shift as a run applies it: one for each converting thread, as PROJ's objects serve one
// thread at a time.
class PositionShift {
  public:
    virtual ~PositionShift() = default;

    struct Shifted {
        std::string failure;       // empty when shifted, else why not, naming the position
        GeodeticPosition position; // longitude within -180..180
        std::size_t operation = 0; // which of the run's transformations shifted it
    };
    virtual Shifted Shift(const GeodeticPosition& position) = 0;

    // An independent shift for another thread; made before that thread starts.
    virtual std::unique_ptr<PositionShift> CopyForThread() const = 0;
};

// The datums a run shifts between, resolved once for the whole run: the shift from the positions'
// datum to the grid's (to-utm) or back (to-latlong), the grid datum's ellipsoid with its exact
// axes, and what the run says of them.
struct RunDatums {
    std::unique_ptr<PositionShift> shift; // copied for each converting thread
    std::string ellipsoidName;            // PROJ's name of the grid datum's ellipsoid
    double a = 0;                         // its axes, in metres, as EPSG's dataset has them
    double b = 0;
    std::vector<std::string> operations; // what each transformation is, by its number
    std::vector<std::string> notes;      // said once before the run, a line each: the datums,
                                         // the ellipsoid, what is doubtful about them

    // The grid's ellipsoid as the windows' projections take it.
    DatumEntry GridEllipsoid() const { return {ellipsoidName, ellipsoidName, a, b}; }
};

// A converting thread's copy of the run's shift, and how many positions each transformation
// shifted there.
class ThreadShift {
  public:
    explicit ThreadShift(const RunDatums& datums)
        : shift_(datums.shift->CopyForThread()), uses_(datums.operations.size()) {}

    // Shifts the position in place; gives the failure, or an empty text.
    std::string Apply(GeodeticPosition& position) {
        PositionShift::Shifted shifted = shift_->Shift(position);
        if (!shifted.failure.empty()) {
            return std::move(shifted.failure);
        }
        position = shifted.position;
        ++uses_[shifted.operation];
        return {};
    }

    const std::vector<long>& Uses() const { return uses_; }

  private:
    std::unique_ptr<PositionShift> shift_;
    std::vector<long> uses_; // by transformation
};

// A datum that cannot be named or shifted to; the message says which and why.
class RunDatumFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Resolves the datums a command line names, by EPSG code or by a name PROJ knows: the positions'
// datum and the grid's, shifting towards the grid (to-utm) or from it (to-latlong); a position
// outside every transformation's area of use fails unless `anyway`. Throws RunDatumFailure; in a
// build without PROJ, always.
RunDatums ResolveRunDatums(const std::string& positions, const std::string& grid, bool towardsGrid,
                           bool anyway);

} // namespace korvane
