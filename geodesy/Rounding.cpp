#include "geodesy/Rounding.hpp"

#include "geodesy/FloatingPoint.hpp"

#include <cmath>
#include <cstdint>

namespace korvane {

double RoundToHundredths(double x) {
    Finite(x, "rounding to hundredths");
    if (std::fabs(x) >= kWholeNumbersFrom) {
        return x; // already whole
    }
    return std::copysign(HundredthsValue(RoundedHundredths(x)), x);
}

double HundredthsValue(std::uint64_t hundredths) {
    return hundredths < static_cast<std::uint64_t>(kExactCountsBelow)
               ? static_cast<double>(hundredths) / 100
               : static_cast<double>(hundredths / 100) +
                     static_cast<double>(hundredths % 100) / 100;
}

} // namespace korvane
