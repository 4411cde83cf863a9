#include "report/SystemReportPlatform.hpp"

#include "report/StartProgram.hpp"

#include <cstdio>
#include <filesystem>
#include <utility>

namespace korvane {

namespace {
#ifdef _WIN32
constexpr const char* kDefaultViewer = "notepad.exe";
#else
constexpr const char* kDefaultViewer = "xdg-open";
#endif
} // namespace

SystemReportPlatform::SystemReportPlatform() : viewer_(kDefaultViewer) {}

SystemReportPlatform::SystemReportPlatform(std::string viewer) : viewer_(std::move(viewer)) {}

SystemReportPlatform::~SystemReportPlatform() {
    Close();
}

bool SystemReportPlatform::DeleteFile(const std::string& path) {
    // Only an old report is ever deleted: never a folder or a device that stands at the path.
    std::error_code error;
    const auto type = std::filesystem::symlink_status(path, error).type();
    if (type != std::filesystem::file_type::regular &&
        type != std::filesystem::file_type::symlink) {
        return false;
    }
    return std::filesystem::remove(path, error);
}

bool SystemReportPlatform::OpenForWriting(const std::string& path) {
    Close();
    file_ = std::fopen(path.c_str(), "wb"); // binary: the CR LF line ends go out unchanged
    return file_ != nullptr;
}

bool SystemReportPlatform::Write(const std::string& text) {
    if (file_ == nullptr) {
        return false;
    }
    return std::fwrite(text.data(), 1, text.size(), file_) == text.size() &&
           std::fflush(file_) == 0;
}

bool SystemReportPlatform::Close() {
    if (file_ == nullptr) {
        return false;
    }
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
}

bool SystemReportPlatform::StartViewer(const std::string& path) {
    return StartProgram(viewer_, path);
}

} // namespace korvane
