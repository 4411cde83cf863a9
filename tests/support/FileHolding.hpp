#pragma once

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace korvane {

// A file holding the text, open for reading and writing at its start; closed and removed at the
// end of the test.
class FileHolding {
  public:
    explicit FileHolding(const std::string& text = {}) {
        std::FILE* file = std::tmpfile();
        std::fwrite(text.data(), 1, text.size(), file);
        std::fflush(file);
        descriptor_ = ::dup(fileno(file));
        std::fclose(file);
        ::lseek(descriptor_, 0, SEEK_SET);
    }
    ~FileHolding() { ::close(descriptor_); }
    FileHolding(const FileHolding&) = delete;
    FileHolding& operator=(const FileHolding&) = delete;

    int Descriptor() const { return descriptor_; }

    // Everything the file holds, whatever was read or written before.
    std::string Contents() const {
        ::lseek(descriptor_, 0, SEEK_SET);
        std::string text;
        char buffer[4096];
        for (long count; (count = ::read(descriptor_, buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(count));
        }
        return text;
    }

  private:
    int descriptor_ = -1;
};

} // namespace korvane
