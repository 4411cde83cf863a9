#include "batch/OutputWriter.hpp"

#include "batch/SystemFiles.hpp"

#include <cerrno>
#include <cstring>

namespace korvane {

OutputFailure::OutputFailure(int error) : std::runtime_error(std::strerror(error)), error_(error) {}

void OutputWriter::Flush() {
    WriteAll(buffer_);
    buffer_.clear();
}

void OutputWriter::WriteThrough(std::string_view text) {
    Flush();
    WriteAll(text);
}

void OutputWriter::WriteAll(std::string_view text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const long count = WriteSome(descriptor_, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            throw OutputFailure(count < 0 ? errno : EIO);
        }
        written += static_cast<std::size_t>(count);
    }
}

void OutputWriter::Close() {
    Flush();
    // A file system may report a failed write only when the file is closed.
    if (!CloseDescriptor(descriptor_) && errno != EINTR) {
        throw OutputFailure(errno);
    }
}

} // namespace korvane
