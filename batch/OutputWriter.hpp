#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace korvane {

// A write or the close of the output failed: the output is incomplete.
class OutputFailure : public std::runtime_error {
  public:
    explicit OutputFailure(int error);
    int Error() const noexcept { return error_; }

  private:
    int error_;
};

// Collects the output and writes it in large pieces. Every write and the close are checked, so
// a full disk or a closed pipe is never taken for success.
class OutputWriter {
  public:
    explicit OutputWriter(int descriptor) : descriptor_(descriptor) {}

    std::string& Buffer() { return buffer_; }
    // Writes what is collected once it is worth a write.
    void FlushWhenFull() {
        if (buffer_.size() >= kFlushSize) {
            Flush();
        }
    }
    // How many more bytes may be collected before FlushWhenFull writes them: at least 1.
    std::size_t Room() const {
        return buffer_.size() < kFlushSize ? kFlushSize - buffer_.size() : 1;
    }
    // Writes all that is collected; throws OutputFailure.
    void Flush();
    // Writes what is collected, then text, without collecting it first: text worth a write of its
    // own costs no copy. Throws OutputFailure.
    void WriteThrough(std::string_view text);
    // Writes all that is collected and closes the output; throws OutputFailure.
    void Close();

  private:
    void WriteAll(std::string_view text);

    static constexpr std::size_t kFlushSize = std::size_t{1} << 16;

    int descriptor_;
    std::string buffer_;
};

} // namespace korvane
