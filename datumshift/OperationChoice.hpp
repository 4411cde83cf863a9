#pragma once

#include "geodesy/Coordinates.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korvane {

// A transformation as PROJ 9.1 weighs it when it chooses one of several for a point: the bounding
// box of its area of use in the source's longitudes and latitudes (an area across the antimeridian
// makes two, one each side; the world's is unbounded), its accuracy, and whether its area lies
// offshore (its name has "- offshore").
struct OperationBox {
    double west = 0;
    double south = 0;
    double east = 0;
    double north = 0;
    double accuracy = -1; // metres; negative when unknown
    bool offshore = false;
};

// The box whose transformation PROJ 9.1's proj_trans applies at the position, as its
// pj_get_suggested_operation picks it: of the boxes holding the position (edges included), the
// first, unless a later one of known accuracy, onshore, is more accurate, or as accurate and
// strictly inside the one picked so far. A first pick of unknown accuracy is never replaced.
// The excluded boxes (those whose transformation failed at this point) are passed over. Nothing
// when no box holds the position.
std::optional<std::size_t> ChosenOperation(std::span<const OperationBox> boxes,
                                           const GeodeticPosition& position,
                                           std::span<const std::size_t> excluded);

// ChosenOperation's choice looked up rather than searched for, in a fifth of the time with some
// thirty boxes. The boxes' edges cut the plane into cells in each of which the same boxes hold
// every position, so the choice is made once for each cell, at a position inside it. A position
// on an edge, one that is not finite, and a choice with boxes excluded are left to
// ChosenOperation.
class OperationChooser {
  public:
    explicit OperationChooser(std::vector<OperationBox> boxes);

    // ChosenOperation over the boxes given, at the position.
    std::optional<std::size_t> Choose(const GeodeticPosition& position,
                                      std::span<const std::size_t> excluded) const;

  private:
    std::vector<OperationBox> boxes_;
    std::vector<double> longitudes_; // the boxes' west and east edges, ascending, once each
    std::vector<double> latitudes_;  // their south and north edges
    // The choice in the cell west of longitudes_[i] (beyond the last for i = size) and south of
    // latitudes_[j], at i * (latitudes_.size() + 1) + j; -1 where no box holds the cell.
    std::vector<std::int32_t> cells_;
};

} // namespace korvane
