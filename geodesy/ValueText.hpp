#pragma once

#include <string>

namespace korvane {

// A number as a failure message quotes it: the shortest text that reads back as the same double
// ("12.5", "4512345.678", "9000000", "1e-300", "nan"), never a locale's separators.
std::string ValueText(double value);

} // namespace korvane
