#include "ThreadShifts.hpp"

namespace korvane {

ThreadShifts::ThreadShifts(const std::string& positions, const std::string& grid, bool towardsGrid,
                           bool anyway)
    : positions_(ResolveDatum(positions)), grid_(ResolveDatum(grid)) {
    shifts_.emplace_back(towardsGrid ? positions_ : grid_, towardsGrid ? grid_ : positions_,
                         anyway ? OutsideAreas::ShiftAnyway : OutsideAreas::Fail);
}

void ThreadShifts::Prepare(std::size_t threads) {
    while (shifts_.size() < threads) {
        shifts_.push_back(shifts_.front().CopyForThread());
    }
}

std::vector<std::string> ThreadShifts::Operations() const {
    std::vector<std::string> described;
    for (const ShiftOperation& operation : shifts_.front().Operations()) {
        described.push_back(operation.Describe());
    }
    return described;
}

} // namespace korvane
