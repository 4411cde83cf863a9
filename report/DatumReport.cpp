#include "report/DatumReport.hpp"

#include "commands/NumberText.hpp"

#include <algorithm>

namespace korvane {

namespace {

// The file is ASCII: a regional decimal separator outside it, such as the Arabic U+066B, gives
// way to the point there; the windows keep showing their regional one.
std::string AsciiSeparator(const std::string& separator) {
    const bool ascii =
        !separator.empty() && std::all_of(separator.begin(), separator.end(),
                                          [](char c) { return c >= ' ' && c < 0x7F; });
    return ascii ? separator : ".";
}

} // namespace

std::string DatumReportText(const DatumTable& table, const std::string& regionalSeparator) {
    const std::string decimalSeparator = AsciiSeparator(regionalSeparator);
    const std::string lineEnd = "\r\n";
    std::string text = " Datum" + std::string(19, ' ') + "Equatorial Radius" + std::string(3, ' ') +
                       "Polar Radius" + lineEnd;
    for (int row = 1; row < kDatumRows; ++row) {
        const DatumEntry& entry = table[static_cast<std::size_t>(row)];
        text += std::string(entry.reportLabel) + std::string(2, ' ') +
                PlainNumber(entry.a, decimalSeparator) + std::string(10, ' ') +
                PlainNumber(entry.b, decimalSeparator) + lineEnd;
    }
    return text;
}

} // namespace korvane
