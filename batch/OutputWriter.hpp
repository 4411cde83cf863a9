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
    // Adds text after what is collected, writing a large text straight out rather than copying it.
    void Write(std::string_view text);
    // Writes all that is collected; throws OutputFailure.
    void Flush();
    // Writes all that is collected and closes the output; throws OutputFailure.
    void Close();

  private:
    static constexpr std::size_t kFlushSize = std::size_t{1} << 16;

    void WriteAll(std::string_view text);

    int descriptor_;
    std::string buffer_;
};

} // namespace korvane
