#include "datumshift/OperationChoice.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvane {

std::optional<std::size_t> ChosenOperation(std::span<const OperationBox> boxes,
                                           const GeodeticPosition& position,
                                           std::span<const std::size_t> excluded) {
    const double x = position.longitude;
    const double y = position.latitude;
    std::optional<std::size_t> best;
    double bestAccuracy = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const OperationBox& box = boxes[i];
        // Without branches: which boxes hold a point is as good as random to the processor.
        const bool holds = (x >= box.west) & (y >= box.south) & (x <= box.east) & (y <= box.north);
        if (!holds || std::find(excluded.begin(), excluded.end(), i) != excluded.end()) {
            continue;
        }
        const auto inside = [&](const OperationBox& outer) {
            return box.west > outer.west && box.south > outer.south && box.east < outer.east &&
                   box.north < outer.north;
        };
        if (!best || (box.accuracy >= 0 &&
                      (box.accuracy < bestAccuracy ||
                       (box.accuracy == bestAccuracy && inside(boxes[*best]))) &&
                      !box.offshore)) {
            best = i;
            bestAccuracy = box.accuracy;
        }
    }
    return best;
}

namespace {

std::vector<double> Edges(std::vector<double> edges) {
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    return edges;
}

// A value strictly between the edges around cell i, where edges[-1] and edges[size] stand for
// minus and plus infinity (the edges are finite: the world's box ends at the largest double).
double Inside(const std::vector<double>& edges, std::size_t i) {
    if (edges.empty()) {
        return 0;
    }
    if (i == 0) {
        return edges.front() - 1;
    }
    if (i == edges.size()) {
        return edges.back() + 1;
    }
    return edges[i - 1] / 2 + edges[i] / 2;
}

// The cell a value lies in, or nothing for one on an edge.
std::optional<std::size_t> Cell(const std::vector<double>& edges, double value) {
    const auto after = std::upper_bound(edges.begin(), edges.end(), value);
    if (after != edges.begin() && after[-1] == value) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(after - edges.begin());
}

} // namespace

OperationChooser::OperationChooser(std::vector<OperationBox> boxes) : boxes_(std::move(boxes)) {
    std::vector<double> longitudes;
    std::vector<double> latitudes;
    for (const OperationBox& box : boxes_) {
        longitudes.insert(longitudes.end(), {box.west, box.east});
        latitudes.insert(latitudes.end(), {box.south, box.north});
    }
    longitudes_ = Edges(std::move(longitudes));
    latitudes_ = Edges(std::move(latitudes));
    for (std::size_t i = 0; i <= longitudes_.size(); ++i) {
        for (std::size_t j = 0; j <= latitudes_.size(); ++j) {
            const auto chosen =
                ChosenOperation(boxes_, {Inside(latitudes_, j), Inside(longitudes_, i)}, {});
            cells_.push_back(chosen ? static_cast<std::int32_t>(*chosen) : -1);
        }
    }
}

std::optional<std::size_t> OperationChooser::Choose(const GeodeticPosition& position,
                                                    std::span<const std::size_t> excluded) const {
    if (excluded.empty() && std::isfinite(position.latitude) && std::isfinite(position.longitude)) {
        const auto i = Cell(longitudes_, position.longitude);
        const auto j = Cell(latitudes_, position.latitude);
        if (i && j) {
            const std::int32_t chosen = cells_[*i * (latitudes_.size() + 1) + *j];
            return chosen >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(chosen))
                               : std::nullopt;
        }
    }
    return ChosenOperation(boxes_, position, excluded);
}

} // namespace korvane
