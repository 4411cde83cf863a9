#pragma once

#include "geodesy/DatumTable.hpp"

#include <string>

namespace korvane {

// The report of the ellipsoid table: a header line and one line per ellipsoid, each ending
// in CR LF. A row is the report label, two blanks, a, ten blanks and b. Every character is
// ASCII: the regional decimal separator is used where it is ASCII, else the point.
std::string DatumReportText(const DatumTable& table, const std::string& regionalSeparator);

} // namespace korvane
