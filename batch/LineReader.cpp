#include "batch/LineReader.hpp"

#include <cerrno>
#include <cstring>

namespace korvane {

namespace {
constexpr std::size_t kBlockSize = std::size_t{1} << 20;
} // namespace

LineReader::LineReader(std::FILE* file) : file_(file), buffer_(kBlockSize) {}

bool LineReader::Next(std::string_view& line) {
    for (;;) {
        const char* first = buffer_.data() + start_;
        if (const auto* newline =
                static_cast<const char*>(std::memchr(first, '\n', end_ - start_))) {
            line = {first, static_cast<std::size_t>(newline - first)};
            start_ += line.size() + 1;
            return true;
        }
        if (atEnd_) {
            if (start_ == end_ || error_ != 0) {
                return false;
            }
            line = {first, end_ - start_};
            start_ = end_;
            return true;
        }
        Refill();
    }
}

void LineReader::Refill() {
    std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
    end_ -= start_;
    start_ = 0;
    if (end_ == buffer_.size()) {
        buffer_.resize(buffer_.size() * 2);
    }
    end_ += std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    if (end_ < buffer_.size()) {
        atEnd_ = true; // fread stops short only at the end of the file or on an error
        error_ = std::ferror(file_) ? errno : 0;
    }
}

} // namespace korvane
