#pragma once

#include "batch/RunDatums.hpp"

#include <string>

namespace korvane {

// The datum shift plugin: PROJ and what resolves a run's datums through it, in a shared object of
// their own that korvane-batch loads only for a run that shifts datums. Linked into the program,
// PROJ's forty libraries would be loaded at every start, some 10 ms, for nothing.

// Its file, beside the program in the build tree, and in lib/korvane/plugins once installed.
inline constexpr const char* kDatumShiftPluginFile = "korvane-datum-shift.so";

// Its one entry, looked up by this name: ResolveRunDatums's work. A failure comes back as its
// message, rather than as an exception thrown across the edge of the loaded object.
inline constexpr const char* kResolveRunDatumsEntry = "KorvaneResolveRunDatums";
using ResolveRunDatumsEntry = void(const std::string& positions, const std::string& grid,
                                   bool towardsGrid, bool anyway, RunDatums& datums,
                                   std::string& failure);

} // namespace korvane
