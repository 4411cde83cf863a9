#pragma once

#include "geodesy/DatumTable.hpp"
#include "report/ReportPlatform.hpp"

#include <string>

namespace korvane {

// Writes the datum report to path and opens it in the viewer. The old file is deleted first
// (a failure to delete is ignored) and the new one is written from its start, so a run leaves
// exactly one report. A failure to open, write or close ends the operation silently, without
// a viewer; nothing is ever reported to the caller. An empty path writes nothing.
void DownloadDatum(ReportPlatform& platform, const std::string& path, const DatumTable& table,
                   const std::string& decimalSeparator);

} // namespace korvane
