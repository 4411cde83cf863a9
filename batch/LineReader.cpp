#include "batch/LineReader.hpp"

#include "batch/SystemFiles.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace korvane {

namespace {
constexpr std::size_t kBlockSize = std::size_t{1} << 20;
} // namespace

LineReader::LineReader(int descriptor, std::function<void()> beforeReading)
    : descriptor_(descriptor), beforeReading_(std::move(beforeReading)),
      buffer_(kLongestLine + kBlockSize) {}

bool LineReader::Next(Line& line) {
    for (;;) {
        char* const data = buffer_.data();
        if (const auto* newline =
                static_cast<const char*>(std::memchr(data + scanned_, '\n', end_ - scanned_))) {
            const auto length = static_cast<std::size_t>(newline - (data + start_));
            const bool tooLong = skipping_ || length > kLongestLine;
            line = {tooLong ? std::string_view() : std::string_view(data + start_, length), tooLong,
                    true};
            start_ = scanned_ = static_cast<std::size_t>(newline - data) + 1;
            skipping_ = false;
            return true;
        }
        scanned_ = end_;
        if (atEnd_) {
            if (error_ != 0 || (start_ == end_ && !skipping_)) {
                return false;
            }
            const bool tooLong = skipping_ || end_ - start_ > kLongestLine;
            line = {tooLong ? std::string_view() : std::string_view(data + start_, end_ - start_),
                    tooLong, false};
            start_ = scanned_ = end_;
            skipping_ = false;
            return true;
        }
        if (end_ - start_ > kLongestLine) {
            skipping_ = true; // the line cannot be answered whole: drop what is held of it
            start_ = scanned_ = end_;
        }
        Refill();
    }
}

bool LineReader::NextRun(std::string_view& run, std::size_t most) {
    if (skipping_ || start_ == end_) {
        return false;
    }
    const std::string_view held(buffer_.data() + start_, end_ - start_);
    std::size_t last = held.substr(0, std::max(most, std::size_t{1})).rfind('\n');
    if (last == std::string_view::npos) {
        last = held.find('\n'); // one line longer than `most`
    }
    if (last == std::string_view::npos) {
        return false;
    }
    run = held.substr(0, last + 1);
    start_ += last + 1;
    scanned_ = std::max(scanned_, start_);
    return true;
}

void LineReader::Refill() {
    std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
    end_ -= start_;
    scanned_ -= start_;
    start_ = 0;
    if (beforeReading_) {
        beforeReading_();
    }
    // A read from a pipe or a terminal gives what is there; from a file, a whole block.
    long count = 0;
    do {
        count = ReadSome(descriptor_, buffer_.data() + end_, buffer_.size() - end_);
    } while (count < 0 && errno == EINTR);
    if (count > 0) {
        end_ += static_cast<std::size_t>(count);
    } else {
        atEnd_ = true;
        error_ = count < 0 ? errno : 0;
    }
}

} // namespace korvane
