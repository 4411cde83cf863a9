#pragma once

#include <cstddef>
#include <string>

namespace korvane {

// Rewrites the tab-separated fields that text holds from `start` on as one CSV record: the
// fields joined by commas, and a field that holds a comma, a double quote or blanks at either
// end in double quotes, each quote doubled. The fields hold no tab, no line end and no
// carriage return: the answers are made so.
void TabsToCsvRecord(std::string& text, std::size_t start);

} // namespace korvane
