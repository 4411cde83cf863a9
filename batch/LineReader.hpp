#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

namespace korvane {

// Hands out the lines of a file one at a time, read in large blocks so that a line costs no
// allocation and no copy. A line is valid until the next call.
class LineReader {
  public:
    explicit LineReader(std::FILE* file);

    // The next line without its "\n" (a last line without one counts too); false at the end of
    // the file or when reading failed.
    bool Next(std::string_view& line);
    // The errno of a read error that ended the lines early, 0 when the file was read to its end.
    int Error() const { return error_; }

  private:
    // Keeps the unread part, grows the buffer when a single line fills it, and reads more.
    void Refill();

    std::FILE* file_;
    std::vector<char> buffer_;
    std::size_t start_ = 0; // the first unread character
    std::size_t end_ = 0;   // just past the last character read
    bool atEnd_ = false;
    int error_ = 0;
};

} // namespace korvane
