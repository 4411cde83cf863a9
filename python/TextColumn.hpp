#pragma once

#include <cstddef>
#include <pybind11/numpy.h>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The texts of one result field, gathered element by element as UTF-8 without the interpreter's
// lock, then handed to NumPy in one piece.
class TextColumn {
  public:
    explicit TextColumn(std::size_t count) { ends_.reserve(count); }

    void Add(std::string_view text);

    // A NumPy str array ("<U" and the longest text's length): one block of memory rather than
    // a Python object for each element, which is what a million grid references cost most in.
    pybind11::array StrArray() const;

    // An array of Python str objects, sharing one empty str: for reasons, which are few, empty
    // mostly, and of any length.
    pybind11::array ObjectArray() const;

  private:
    std::string_view At(std::size_t index) const;

    std::string bytes_;
    std::vector<std::size_t> ends_;
    std::size_t longest_ = 0; // in bytes
    bool ascii_ = true;       // then a text's bytes are its characters
};

} // namespace korvane
