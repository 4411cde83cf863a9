// The datum report on a POSIX file system: what stands at the path, where the report goes, and
// the viewer started as a program of its own.

#include "geodesy/DatumTable.hpp"
#include "report/DatumReport.hpp"
#include "report/DownloadDatum.hpp"
#include "report/ReportLocation.hpp"
#include "report/SystemReportPlatform.hpp"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace korvane {
namespace {

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

// Whatever stands at the path, only a regular file is opened: a link is not followed, a FIFO is
// not waited on, and what a link points to is left as it was.
TEST_F(ReportOnDisk, OnlyARegularFileIsOpened) {
    const auto userFile = folder / "notes.txt";
    std::ofstream(userFile) << "the user's own notes";
    const auto fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(userFile, folder / "live-link");
    std::filesystem::create_symlink(folder / "missing", folder / "dangling-link");
    std::filesystem::create_directories(folder / "a-folder");
    std::ofstream(folder / "old-report") << "an old report";
    // clang-format off
    const std::pair<std::filesystem::path, bool> cases[] = {
        {folder / "new-report",     true},
        {folder / "old-report",     true},
        {folder / "live-link",      false},
        {folder / "dangling-link",  false},
        {fifo,                      false},
        {folder / "a-folder",       false},
        {"/dev/full",               false},
        {"/dev/null",               false},
    };
    // clang-format on
    for (const auto& [path, opens] : cases) {
        SystemReportPlatform platform(viewer.string());
        auto opening =
            std::async(std::launch::async, [&] { return platform.OpenForWriting(path); });
        ASSERT_EQ(opening.wait_for(std::chrono::seconds(5)), std::future_status::ready) << path;
        EXPECT_EQ(opening.get(), opens) << path;
        EXPECT_EQ(platform.Write("report"), opens) << path;
        platform.Close();
    }
    EXPECT_EQ(Contents(userFile), "the user's own notes");
    EXPECT_EQ(Contents(folder / "old-report"), "report"); // replaced, not appended to
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

// A link at the report's path, symbolic or hard, is left as it stands, and so is the user's file
// it names: no report is written and no viewer started, whether or not the folder lets the link
// be deleted.
TEST_F(ReportOnDisk, ALinkAtThePathIsLeftAlone) {
    const auto userFile = folder / "notes.txt";
    const auto path = folder / "Datum.txt";
    for (const bool hard : {false, true}) {
        for (const bool readOnlyFolder : {false, true}) {
            SCOPED_TRACE(testing::Message() << (hard ? "hard" : "symbolic") << " link, "
                                            << (readOnlyFolder ? "read-only" : "writable"));
            std::ofstream(userFile) << "the user's own notes";
            if (hard) {
                std::filesystem::create_hard_link(userFile, path);
            } else {
                std::filesystem::create_symlink(userFile, path);
            }
            ::chmod(folder.c_str(), readOnlyFolder ? 0555 : 0755);
            Download(path);
            ::chmod(folder.c_str(), 0755);
            EXPECT_EQ(Contents(userFile), "the user's own notes");
            EXPECT_EQ(hard ? std::filesystem::is_regular_file(std::filesystem::symlink_status(path))
                           : std::filesystem::is_symlink(path),
                      true);
            EXPECT_FALSE(ViewerStarted(300));
            std::filesystem::remove(path);
        }
    }
}

// A FIFO at the path while something reads it: the report neither waits nor goes into it.
TEST_F(ReportOnDisk, AFifoBeingReadGetsNoReportAndNoViewer) {
    const auto fifo = folder / "Datum.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    auto download = std::async(std::launch::async, [&] { Download(fifo); });
    ASSERT_EQ(download.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0);
    ::close(reader);
    EXPECT_FALSE(ViewerStarted(300));
}

// The report goes to the program's own folder, never to one where the user keeps files, and
// nowhere at all without a usable home.
TEST_F(ReportOnDisk, ReportGoesToTheProgramsOwnFolder) {
    std::ofstream(folder / "a-file") << "not a folder";
    const std::string own = (folder / "home" / ".local" / "share" / "korvane").string();
    // clang-format off
    const std::tuple<const char*, const char*, std::string> cases[] = {
        // HOME                   XDG_DATA_HOME          the report
        {"home",                  nullptr,               own + "/Datum.txt"},
        {"home",                  "data",                (folder / "data" / "korvane" / "Datum.txt").string()},
        {"home",                  "relative",            own + "/Datum.txt"}, // not absolute: ignored
        {nullptr,                 nullptr,               ""},
        {"relative",              nullptr,               ""},
        {"a-file",                nullptr,               ""}, // the folder cannot be made
    };
    // clang-format on
    const char* savedHome = std::getenv("HOME");
    const std::string saved = savedHome != nullptr ? savedHome : "";
    for (const auto& [home, data, report] : cases) {
        const auto set = [&](const char* name, const char* value) {
            if (value == nullptr) {
                ::unsetenv(name);
            } else if (std::string(value) == "relative") {
                ::setenv(name, value, 1);
            } else {
                ::setenv(name, (folder / value).c_str(), 1);
            }
        };
        set("HOME", home);
        set("XDG_DATA_HOME", data);
        EXPECT_EQ(DefaultReportPath(), report)
            << (home ? home : "no HOME") << ", " << (data ? data : "no XDG_DATA_HOME");
    }
    ::setenv("HOME", saved.c_str(), 1);
    ::unsetenv("XDG_DATA_HOME");
    struct stat status {};
    ASSERT_EQ(::stat(own.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u); // made private to the user
}

// A Datum.txt of the user's own, where earlier versions wrote the report, stays as it was.
TEST_F(ReportOnDisk, AUserFileOfTheSameNameIsLeftUntouched) {
    const char* savedHome = std::getenv("HOME");
    const std::string saved = savedHome != nullptr ? savedHome : "";
    ::setenv("HOME", folder.c_str(), 1);
    ::unsetenv("XDG_DATA_HOME");
    for (const auto& userFolder : {folder, folder / "Documents"}) {
        std::filesystem::create_directories(userFolder);
        std::ofstream(userFolder / "Datum.txt") << "my own notes";
    }
    const std::string path = DefaultReportPath();
    ::setenv("HOME", saved.c_str(), 1);
    Download(path);
    EXPECT_EQ(Contents(folder / "Datum.txt"), "my own notes");
    EXPECT_EQ(Contents(folder / "Documents" / "Datum.txt"), "my own notes");
    EXPECT_EQ(Contents(path), DatumReportText(StandardDatumTable(), "."));
    EXPECT_TRUE(ViewerStarted());
}

} // namespace
} // namespace korvane
