#pragma once

#include <string>

namespace korvane {

// Where the report goes: "C:\Datum.txt" on Windows; elsewhere "Datum.txt" in the user's
// documents folder, or in the home folder when there is no documents folder.
std::string DefaultReportPath();

} // namespace korvane
