#pragma once

#include <string>

namespace korvane {

// A number as messages quote it: the shortest text that reads back as the same double ("48.85",
// "-0.5", "1e+300", "nan").
std::string QuotedNumber(double value);

} // namespace korvane
