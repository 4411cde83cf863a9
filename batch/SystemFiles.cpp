#include "batch/SystemFiles.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#else
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <unistd.h>
#endif

namespace korvane {

#ifdef _WIN32

namespace {

std::string Utf8(const wchar_t* wide) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.resize(text.size() - 1); // the terminating NUL
    return text;
}

std::wstring Wide(const std::string& text) {
    const int size =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.c_str(), -1, nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.c_str(), -1, wide.data(), size);
    wide.resize(wide.size() - 1);
    return wide;
}

} // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr || count != argc) {
        if (wide != nullptr) {
            ::LocalFree(wide);
        }
        return {argv, argv + argc};
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(Utf8(wide[i]));
    }
    ::LocalFree(wide);
    return arguments;
}

void UseBinaryStandardStreams() {
    ::_setmode(0, _O_BINARY);
    ::_setmode(1, _O_BINARY);
}

void ReportClosedPipesAsWriteFailures() {} // Windows has no signal for it

int OpenForReading(const std::string& path) {
    const std::wstring wide = Wide(path);
    if (wide.empty()) {
        errno = ENOENT;
        return -1;
    }
    return ::_wopen(wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

long ReadSome(int descriptor, char* buffer, std::size_t size) {
    return ::_read(descriptor, buffer, static_cast<unsigned>(size));
}

long WriteSome(int descriptor, const char* text, std::size_t size) {
    return ::_write(descriptor, text, static_cast<unsigned>(size));
}

bool CloseDescriptor(int descriptor) {
    return ::_close(descriptor) == 0;
}

bool IsRegularFile(int descriptor) {
    struct _stat status {};
    return ::_fstat(descriptor, &status) == 0 && (status.st_mode & _S_IFMT) == _S_IFREG;
}

bool SameRegularFile(int first, int second) {
    // The C runtime gives no file numbers: the system's own identity of each open file.
    BY_HANDLE_FILE_INFORMATION files[2];
    for (int i = 0; i < 2; ++i) {
        const int descriptor = i == 0 ? first : second;
        const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
        if (!IsRegularFile(descriptor) || handle == INVALID_HANDLE_VALUE ||
            !::GetFileInformationByHandle(handle, &files[i])) {
            return false;
        }
    }
    return files[0].dwVolumeSerialNumber == files[1].dwVolumeSerialNumber &&
           files[0].nFileIndexHigh == files[1].nFileIndexHigh &&
           files[0].nFileIndexLow == files[1].nFileIndexLow;
}

bool InputWaiting(int) {
    return false;
}

#else

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

void UseBinaryStandardStreams() {}

void ReportClosedPipesAsWriteFailures() {
    std::signal(SIGPIPE, SIG_IGN);
}

int OpenForReading(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

namespace {

// After a read or write that failed: when only because a non-blocking descriptor was not ready,
// waits until it is and answers true, so that the caller tries again.
bool WaitedUntilReady(int descriptor, short events) {
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
        return false;
    }
    pollfd ready{descriptor, events, 0};
    while (::poll(&ready, 1, -1) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

} // namespace

long ReadSome(int descriptor, char* buffer, std::size_t size) {
    for (;;) {
        const long count = ::read(descriptor, buffer, size);
        if (count >= 0 || !WaitedUntilReady(descriptor, POLLIN)) {
            return count;
        }
    }
}

long WriteSome(int descriptor, const char* text, std::size_t size) {
    for (;;) {
        const long count = ::write(descriptor, text, size);
        if (count >= 0 || !WaitedUntilReady(descriptor, POLLOUT)) {
            return count;
        }
    }
}

bool CloseDescriptor(int descriptor) {
    return ::close(descriptor) == 0;
}

bool IsRegularFile(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

bool SameRegularFile(int first, int second) {
    struct stat one {};
    struct stat other {};
    return ::fstat(first, &one) == 0 && ::fstat(second, &other) == 0 && S_ISREG(one.st_mode) &&
           one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

bool InputWaiting(int descriptor) {
    pollfd input{descriptor, POLLIN, 0};
    return ::poll(&input, 1, 0) > 0; // POLLIN, or POLLHUP at the end: a read would not wait
}

#endif

} // namespace korvane
