// The datum report's Windows branch, run for real: "C:\Datum.txt" and "notepad.exe".

#include "geodesy/DatumTable.hpp"
#include "report/DatumReport.hpp"
#include "report/DownloadDatum.hpp"
#include "report/ReportLocation.hpp"
#include "report/StartProgram.hpp"
#include "report/SystemReportPlatform.hpp"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

namespace korvane {
namespace {

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The real file operations, with the viewer only counted.
struct CountingPlatform : SystemReportPlatform {
    int viewersStarted = 0;
    bool StartViewer(const std::string&) override {
        ++viewersStarted;
        return true;
    }
};

// The process ids of this process's children that run the named program.
std::vector<DWORD> ChildrenRunning(const wchar_t* program) {
    std::vector<DWORD> children;
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
         more = ::Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID == ::GetCurrentProcessId() &&
            ::lstrcmpiW(entry.szExeFile, program) == 0) {
            children.push_back(entry.th32ProcessID);
        }
    }
    ::CloseHandle(snapshot);
    return children;
}

TEST(WindowsReport, GoesToTheRootOfDriveC) {
    EXPECT_EQ(DefaultReportPath(), "C:\\Datum.txt");
}

// The bytes on disk are the report's, CR LF and all: nothing is translated on the way out.
TEST(WindowsReport, TwoRunsLeaveOneReportByteForByte) {
    CountingPlatform platform;
    DownloadDatum(platform, DefaultReportPath(), StandardDatumTable(), ".");
    DownloadDatum(platform, DefaultReportPath(), StandardDatumTable(), ".");
    EXPECT_EQ(Contents("C:\\Datum.txt"), DatumReportText(StandardDatumTable(), "."));
    EXPECT_EQ(platform.viewersStarted, 2);
}

TEST(WindowsReport, AFolderAtThePathGetsNoReportAndNoViewer) {
    ::CreateDirectoryA("C:\\korvane-folder", nullptr);
    CountingPlatform platform;
    DownloadDatum(platform, "C:\\korvane-folder", StandardDatumTable(), ".");
    EXPECT_EQ(platform.viewersStarted, 0);
    EXPECT_NE(::GetFileAttributesA("C:\\korvane-folder") & FILE_ATTRIBUTE_DIRECTORY, 0u);
    ::RemoveDirectoryA("C:\\korvane-folder");
}

// The real viewer: notepad.exe starts on the report without being waited for, and is then ended
// by its process id, as it is this test's own child.
TEST(WindowsReport, NotepadStartsOnTheReportWithoutWaiting) {
    SystemReportPlatform platform;
    const auto before = std::chrono::steady_clock::now();
    DownloadDatum(platform, DefaultReportPath(), StandardDatumTable(), ".");
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
    std::vector<DWORD> notepads;
    for (int i = 0; i < 100 && notepads.empty(); ++i) {
        notepads = ChildrenRunning(L"notepad.exe");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(notepads.size(), 1u);
    const HANDLE notepad = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, notepads[0]);
    ASSERT_NE(notepad, nullptr);
    EXPECT_EQ(::WaitForSingleObject(notepad, 0), static_cast<DWORD>(WAIT_TIMEOUT)); // running
    ::TerminateProcess(notepad, 0);
    ::WaitForSingleObject(notepad, 5000);
    ::CloseHandle(notepad);
}

} // namespace
} // namespace korvane
