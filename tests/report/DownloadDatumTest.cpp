#include "report/DownloadDatum.hpp"

#include "geodesy/DatumTable.hpp"
#include "report/DatumReport.hpp"

#include <gtest/gtest.h>
#include <vector>

namespace korvane {
namespace {

// Records each operation and fails the one it is told to.
struct FakePlatform : ReportPlatform {
    std::string failing;
    std::vector<std::string> calls;
    std::string written;

    bool Step(const std::string& name) {
        calls.push_back(name);
        return name != failing;
    }
    bool DeleteFile(const std::string&) override { return Step("delete"); }
    bool OpenForWriting(const std::string&) override { return Step("open"); }
    bool Write(const std::string& text) override {
        written = text;
        return Step("write");
    }
    bool Close() override { return Step("close"); }
    bool StartViewer(const std::string&) override { return Step("viewer"); }
};

TEST(DownloadDatum, EachFailingStepDecidesWhatFollows) {
    using Calls = std::vector<std::string>;
    const std::pair<const char*, Calls> cases[] = {
        {"", {"delete", "open", "write", "close", "viewer"}},
        {"delete", {"delete", "open", "write", "close", "viewer"}}, // a missing file is fine
        {"open", {"delete", "open"}},
        {"write", {"delete", "open", "write", "close"}}, // closed, but never shown
        {"close", {"delete", "open", "write", "close"}},
        {"viewer", {"delete", "open", "write", "close", "viewer"}},
    };
    for (const auto& [failing, calls] : cases) {
        FakePlatform platform;
        platform.failing = failing;
        DownloadDatum(platform, "Datum.txt", StandardDatumTable(), ".");
        EXPECT_EQ(platform.calls, calls) << "failing: " << failing;
    }
}

TEST(DownloadDatum, WritesTheWholeReportInOneGo) {
    FakePlatform platform;
    DownloadDatum(platform, "Datum.txt", StandardDatumTable(), ".");
    EXPECT_EQ(platform.written, DatumReportText(StandardDatumTable(), "."));
}

TEST(DownloadDatum, NoPlaceMeansNoFileAndNoViewer) {
    FakePlatform platform;
    DownloadDatum(platform, "", StandardDatumTable(), ".");
    EXPECT_TRUE(platform.calls.empty());
}

} // namespace
} // namespace korvane
