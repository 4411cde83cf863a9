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

// The C runtime's own names, which every Windows compiler has. Windows has no links that opening
// a file would follow, and no FIFOs that opening one would wait on.
int OpenFile(const std::string& path) {
    return ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
}
bool IsLoneRegularFile(int descriptor) {
    struct _stat status {};
    return ::_fstat(descriptor, &status) == 0 && (status.st_mode & _S_IFMT) == _S_IFREG &&
           status.st_nlink == 1;
}
bool Empty(int descriptor) {
    return ::_chsize(descriptor, 0) == 0;
}
long WriteSome(int descriptor, const char* text, std::size_t size) {
    return ::_write(descriptor, text, static_cast<unsigned>(size));
}
bool CloseFile(int descriptor) {
    return ::_close(descriptor) == 0;
}

#else

constexpr const char* kDefaultViewer = "xdg-open";

// Never through a link, never waiting on a FIFO without a reader, and not inherited by the
// viewer started afterwards.
int OpenFile(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
}
bool IsLoneRegularFile(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 1;
}
bool Empty(int descriptor) {
    return ::ftruncate(descriptor, 0) == 0;
}
long WriteSome(int descriptor, const char* text, std::size_t size) {
    return ::write(descriptor, text, size);
}
bool CloseFile(int descriptor) {
    return ::close(descriptor) == 0;
}

#endif

} // namespace

SystemReportPlatform::SystemReportPlatform() : viewer_(kDefaultViewer) {}

SystemReportPlatform::SystemReportPlatform(std::string viewer) : viewer_(std::move(viewer)) {}

SystemReportPlatform::~SystemReportPlatform() {
    Close();
}

bool SystemReportPlatform::DeleteFile(const std::string& path) {
    // Only an old report is ever deleted: a regular file with no other name. A link, hard or
    // symbolic, a folder or a device standing at the path is left alone, and so no report is
    // written there.
    std::error_code error;
    if (std::filesystem::symlink_status(path, error).type() !=
            std::filesystem::file_type::regular ||
        std::filesystem::hard_link_count(path, error) != 1) {
        return false;
    }
    return std::filesystem::remove(path, error);
}

bool SystemReportPlatform::OpenForWriting(const std::string& path) {
    Close();
    descriptor_ = OpenFile(path);
    if (descriptor_ < 0) {
        return false;
    }
    // Only now, with a regular file in hand that has no other name (a hard link to a file of the
    // user's would be emptied with it), is an old report that could not be deleted emptied:
    // written after it, the new report would leave the old one above it in the same file.
    if (!IsLoneRegularFile(descriptor_) || !Empty(descriptor_)) {
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
        const long count = WriteSome(descriptor_, text.data() + written, text.size() - written);
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
    const bool closed = CloseFile(descriptor_);
    descriptor_ = -1;
    return closed;
}

bool SystemReportPlatform::StartViewer(const std::string& path) {
    return StartProgram(viewer_, path);
}

} // namespace korvane
