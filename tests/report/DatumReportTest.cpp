#include "report/DatumReport.hpp"

#include "geodesy/DatumTable.hpp"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace korvane {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "the text ends with a complete line";
    return lines;
}

TEST(DatumReport, HasAHeaderAndFourteenRowsOfTheExpectedLengths) {
    const std::string text = DatumReportText(StandardDatumTable(), ".");
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], " Datum                   Equatorial Radius   Polar Radius");
    EXPECT_EQ(lines[0].size(), 57u);
    const std::size_t lengths[] = {58, 59, 59, 55, 52, 48, 49, 51, 53, 56, 56, 58, 53, 55};
    for (std::size_t row = 0; row < 14; ++row) {
        EXPECT_EQ(lines[row + 1].size(), lengths[row]) << lines[row + 1];
    }
    EXPECT_EQ(lines[1],
              "WGS 84" + std::string(23, ' ') + "6378137" + std::string(10, ' ') + "6356752.3142");
    EXPECT_EQ(lines[7], "North American 1927  6378206.4          6356583.8");
    EXPECT_EQ(lines[14].substr(0, 12), "Everest 1830");
    for (char c : text) {
        EXPECT_TRUE(static_cast<unsigned char>(c) < 128) << "only ASCII";
    }
}

TEST(DatumReport, WholeRadiiHaveNoDecimalSeparator) {
    const std::string text = DatumReportText(StandardDatumTable(), ".");
    for (const char* whole : {"  6378137 ", "  6378135 ", "  6378160 ", "  6378245 ", "  6378388 ",
                              " 6356863\r\n", " 6356079\r\n"}) {
        EXPECT_NE(text.find(whole), std::string::npos) << whole;
    }
    EXPECT_EQ(text.find("6378137."), std::string::npos);
}

TEST(DatumReport, UsesTheRegionalDecimalSeparatorWhereItIsAscii) {
    const std::string text = DatumReportText(StandardDatumTable(), ",");
    EXPECT_NE(text.find("6356752,3142\r\n"), std::string::npos);
    EXPECT_EQ(text.find("6356752.3142"), std::string::npos);
    // The Arabic decimal separator U+066B gives the point, and so do no separator and a tab.
    const std::string withPoint = DatumReportText(StandardDatumTable(), ".");
    for (const char* separator : {"\xD9\xAB", "", "\t"}) {
        EXPECT_EQ(DatumReportText(StandardDatumTable(), separator), withPoint) << separator;
    }
}

} // namespace
} // namespace korvane
