#include "report/DownloadDatum.hpp"

#include "geodesy/DatumTable.hpp"
#include "report/DatumReport.hpp"
#include "report/ReportLocation.hpp"
#include "report/SystemReportPlatform.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
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

class ReportOnDisk : public testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("korvane-report-" + std::to_string(::getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        marker = folder / "viewer-started";
        viewer = folder / "viewer.sh";
        std::ofstream(viewer) << "#!/bin/sh\necho \"$1\" > '" << marker.string() << "'\n";
        std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
    }
    void TearDown() override {
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(folder);
    }

    static std::string Contents(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    // The fake viewer writes its marker from another process: give it a moment.
    bool ViewerStarted(int waitMilliseconds = 2000) const {
        for (int i = 0; i < waitMilliseconds / 10 && !std::filesystem::exists(marker); ++i) {
            ::usleep(10000);
        }
        return std::filesystem::exists(marker);
    }

    void Download(const std::filesystem::path& path) {
        SystemReportPlatform platform(viewer.string());
        DownloadDatum(platform, path.string(), StandardDatumTable(), ".");
    }

    std::filesystem::path folder, marker, viewer;
};

TEST_F(ReportOnDisk, TwoRunsLeaveOneReportAndStartTheViewer) {
    const auto path = folder / "Datum.txt";
    Download(path);
    Download(path);
    EXPECT_EQ(Contents(path), DatumReportText(StandardDatumTable(), "."));
    EXPECT_TRUE(ViewerStarted());
}

TEST_F(ReportOnDisk, AnOldReportThatCannotBeDeletedIsReplacedNotAppended) {
    const auto path = folder / "Datum.txt";
    std::ofstream(path) << "an old report\r\n";
    ::chmod(folder.c_str(), 0555); // the old file cannot be deleted, but can still be written
    Download(path);
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(Contents(path), DatumReportText(StandardDatumTable(), "."));
}

TEST_F(ReportOnDisk, NoViewerWhenTheReportCannotBeWritten) {
    const std::filesystem::path unwritable[] = {
        folder / "missing-folder" / "Datum.txt", // no such folder
        folder,                                  // a folder, not a file
        "/dev/full",                             // a full disk
    };
    for (const auto& path : unwritable) {
        Download(path);
        EXPECT_FALSE(ViewerStarted(300)) << path;
    }
    // Neither the folder nor the device was deleted to make room for the report.
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST_F(ReportOnDisk, NoViewerWhenAReadOnlyReportIsInTheWay) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes read-only files";
    }
    const auto path = folder / "Datum.txt";
    std::ofstream(path) << "old";
    ::chmod(path.c_str(), 0444);
    ::chmod(folder.c_str(), 0555);
    Download(path);
    EXPECT_EQ(Contents(path), "old");
    EXPECT_FALSE(ViewerStarted(300));
}

TEST_F(ReportOnDisk, ReportGoesToTheDocumentsFolderOrHome) {
    const char* savedHome = std::getenv("HOME");
    const std::string saved = savedHome != nullptr ? savedHome : "";
    ::setenv("HOME", folder.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    EXPECT_EQ(DefaultReportPath(), (folder / "Datum.txt").string());
    std::filesystem::create_directories(folder / "Documents");
    EXPECT_EQ(DefaultReportPath(), (folder / "Documents" / "Datum.txt").string());
    std::filesystem::create_directories(folder / "config");
    std::filesystem::create_directories(folder / "Dokumente");
    std::ofstream(folder / "config" / "user-dirs.dirs")
        << "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    EXPECT_EQ(DefaultReportPath(), (folder / "Dokumente" / "Datum.txt").string());
    ::setenv("HOME", saved.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace korvane
