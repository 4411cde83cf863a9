#include "report/DatumReport.hpp"

#include "commands/NumberText.hpp"

namespace korvane {

std::string DatumReportText(const DatumTable& table, const std::string& decimalSeparator) {
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
