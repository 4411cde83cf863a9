#include "batch/OutputWriter.hpp"

#include "batch/SystemFiles.hpp"

#include <cerrno>
#include <cstring>

namespace korvane {

OutputFailure::OutputFailure(int error) : std::runtime_error(std::strerror(error)), error_(error) {}

void OutputWriter::Flush() {
    std::size_t written = 0;
    while (written < buffer_.size()) {
        const long count =
            WriteSome(descriptor_, buffer_.data() + written, buffer_.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            throw OutputFailure(count < 0 ? errno : EIO);
        }
        written += static_cast<std::size_t>(count);
    }
    buffer_.clear();
}

void OutputWriter::Close() {
    Flush();
    // A file system may report a failed write only when the file is closed.
    if (!CloseDescriptor(descriptor_) && errno != EINTR) {
        throw OutputFailure(errno);
    }
}

} // namespace korvane
