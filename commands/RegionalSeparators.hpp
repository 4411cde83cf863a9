#pragma once

#include <string>

namespace korvane {

// The group and decimal separators of the user's regional settings, as UTF-8 texts. The window
// layer passes the system's; the batch converter passes the English ones.
struct RegionalSeparators {
    std::string group = ",";
    std::string decimal = ".";
};

} // namespace korvane
