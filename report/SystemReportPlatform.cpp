#include "report/SystemReportPlatform.hpp"

#include "report/StartProgram.hpp"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <utility>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace korvane {

namespace {

#ifdef _WIN32
constexpr const char* kDefaultViewer = "notepad.exe";
#else
constexpr const char* kDefaultViewer = "xdg-open";
#endif

// The opening flags that one system has and another lacks.
#ifdef O_NOFOLLOW
constexpr int kNoFollow = O_NOFOLLOW;
#else
constexpr int kNoFollow = 0; // no links that opening a file would follow
#endif
#ifdef O_NONBLOCK
constexpr int kNoWaiting = O_NONBLOCK; // a FIFO without a reader fails at once
#else
constexpr int kNoWaiting = 0;
#endif
#ifdef O_CLOEXEC
constexpr int kNotInherited = O_CLOEXEC; // the viewer started later does not hold it open
#else
constexpr int kNotInherited = 0;
#endif
#ifdef O_BINARY
constexpr int kBinary = O_BINARY; // the CR LF line ends go out unchanged
#else
constexpr int kBinary = 0;
#endif

} // namespace

SystemReportPlatform::SystemReportPlatform() : viewer_(kDefaultViewer) {}

SystemReportPlatform::SystemReportPlatform(std::string viewer) : viewer_(std::move(viewer)) {}

SystemReportPlatform::~SystemReportPlatform() {
    Close();
}

bool SystemReportPlatform::DeleteFile(const std::string& path) {
    // Only an old report is ever deleted: never a folder or a device that stands at the path.
    // A link is deleted itself, never what it points to.
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
    descriptor_ = ::open(
        path.c_str(), O_WRONLY | O_CREAT | kNoFollow | kNoWaiting | kNotInherited | kBinary, 0644);
    if (descriptor_ < 0) {
        return false;
    }
    // Only now, with a regular file in hand, is an old report that could not be deleted emptied.
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode) ||
        ::ftruncate(descriptor_, 0) != 0) {
        Close();
        return false;
    }
    return true;
}

bool SystemReportPlatform::Write(const std::string& text) {
    if (descriptor_ < 0) {
        return false;
    }
    for (std::size_t written = 0; written < text.size();) {
        const auto count = ::write(descriptor_, text.data() + written,
                                   static_cast<unsigned>(text.size() - written));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

bool SystemReportPlatform::Close() {
    if (descriptor_ < 0) {
        return false;
    }
    const bool closed = ::close(descriptor_) == 0;
    descriptor_ = -1;
    return closed;
}

bool SystemReportPlatform::StartViewer(const std::string& path) {
    return StartProgram(viewer_, path);
}

} // namespace korvane
