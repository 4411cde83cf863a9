#pragma once

#include <cstddef>
#include <string_view>

namespace korvane {

// What a number's text may hold anywhere without meaning: a box's reader passes over these.
inline bool IsNumberBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The characters of a number's text with its blanks passed over, as ReadNumber reads them and as
// the regional reading must read them too.
class NumberCursor {
  public:
    explicit NumberCursor(std::string_view text) : text_(text) { SkipBlanks(); }

    bool AtEnd() const { return position_ >= text_.size(); }
    std::size_t Position() const { return position_; }
    // Just past the last character that Advance stepped over.
    std::size_t ConsumedEnd() const { return consumedEnd_; }
    char Peek() const { return AtEnd() ? '\0' : text_[position_]; }
    char PeekAfterNext() const {
        NumberCursor copy = *this;
        copy.Advance();
        return copy.Peek();
    }
    void Advance() {
        consumedEnd_ = ++position_;
        SkipBlanks();
    }
    // Steps over `expected` when the text goes on with it.
    bool Take(std::string_view expected) {
        if (expected.empty() || text_.substr(position_, expected.size()) != expected) {
            return false;
        }
        position_ += expected.size();
        consumedEnd_ = position_;
        SkipBlanks();
        return true;
    }

  private:
    void SkipBlanks() {
        while (!AtEnd() && IsNumberBlank(text_[position_])) {
            ++position_;
        }
    }

    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t consumedEnd_ = 0;
};

} // namespace korvane
