#pragma once

#include <string>

namespace korvane {

// Where the report goes. On Windows "C:\Datum.txt". Elsewhere the program's own file, never one
// in a folder where the user keeps files of their own: Datum.txt in $XDG_DATA_HOME/korvane
// (~/.local/share/korvane), the folder created when missing. Empty, for no report at all, when
// there is no usable home: HOME unset or not an absolute path, or the folder cannot be made.
std::string DefaultReportPath();

} // namespace korvane
