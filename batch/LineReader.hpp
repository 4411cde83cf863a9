#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace korvane {

// Hands out the lines of an input one at a time, read in large blocks so that a line costs no
// allocation and no copy. Memory stays fixed: a line longer than kLongestLine is passed over,
// not held.
class LineReader {
  public:
    static constexpr std::size_t kLongestLine = std::size_t{1} << 20;

    struct Line {
        std::string_view text; // without its "\n"; valid until the next call
        bool tooLong = false;  // longer than kLongestLine: no text, its bytes passed over
        bool ended = true;     // false for a last line without a "\n"
    };

    // beforeReading runs before every read of the input, which may wait: a caller answering a
    // pipe or a terminal line by line writes out what it has there.
    explicit LineReader(int descriptor, std::function<void()> beforeReading = {});

    // The next line; false at the end of the input or when reading failed.
    bool Next(Line& line);
    // The complete lines in hand, each with its "\n", as one text of at most `most` bytes (or
    // one line, however long); false, reading nothing, when no complete line is in hand. A line
    // in it may be longer than kLongestLine: the caller passes over such a line as Next does.
    bool NextRun(std::string_view& run, std::size_t most);
    // The errno of a read error that ended the lines early, 0 when the input was read to its end.
    int Error() const { return error_; }

  private:
    // Keeps the unread part at the front and reads more after it.
    void Refill();

    int descriptor_;
    std::function<void()> beforeReading_;
    std::vector<char> buffer_;
    std::size_t start_ = 0;   // the first unread character
    std::size_t scanned_ = 0; // no line end before here from start_ on
    std::size_t end_ = 0;     // just past the last character read
    bool skipping_ = false;   // passing over a line that is too long
    bool atEnd_ = false;
    int error_ = 0;
};

} // namespace korvane
