#pragma once

// Where a double stops holding what the rounding and the number texts rely on. Each limit is
// chosen for what it means, with the reasoning beside it.

namespace korvane {

// 2^52: a double this large has all 52 fraction bits above the binary point, so it is a whole
// number, and no exact half remains for rounding to decide.
inline constexpr double kWholeNumbersFrom = 4503599627370496.0;

// 2^53: every whole number below it is a double, so a count of hundredths below it converts to
// double without loss.
inline constexpr double kExactCountsBelow = 9007199254740992.0;

// 1e13: below it the spacing of doubles is at most 2^-9 (about 0.002), well under half a
// hundredth, so the double nearest to a hundredth rounds back to that hundredth, and the count
// of hundredths (below 1e15 < 2^53) is exact.
inline constexpr double kHundredthsExactBelow = 1e13;

// 1e9: below it a value in hundredths has at most 9 + 2 significant digits, well inside the 15
// that a number text shows, and a double lies within 2^-23 (0.12 micrometre) of its hundredth.
inline constexpr double kHundredthsPlainBelow = 1e9;

} // namespace korvane
