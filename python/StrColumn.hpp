#pragma once

#include <cstddef>
#include <pybind11/numpy.h>
#include <string_view>

namespace korvane {

// A NumPy str array ("<U" and the longest text's length) filled element by element from UTF-8
// texts, with the interpreter's lock held: one block of memory rather than a Python object for
// each element, which for a million grid references would cost more than converting them. It
// widens, copying what it holds, when a text is longer than any before.
class StrColumn {
  public:
    explicit StrColumn(std::size_t count);

    // Elements are set in index order.
    void Set(std::size_t index, std::string_view text);

    pybind11::array Array() const;

  private:
    void Widen(std::size_t width, std::size_t filled);

    std::size_t count_;
    std::size_t width_ = 1; // NumPy has no str of no characters
    // The characters as 32-bit integers: NumPy fills a new str array with zeros in pages of
    // 4 KiB faulted in one at a time, an array of integers comes in large pages and unfilled.
    pybind11::array_t<std::uint32_t> codes_;
};

// An array of Python str objects sharing one empty str: for the reasons of failures, which are
// few, empty mostly, and of any length.
class ReasonColumn {
  public:
    explicit ReasonColumn(std::size_t count);

    void Set(std::size_t index, std::string_view text);

    pybind11::array Array() const { return array_; }

  private:
    pybind11::array array_;
    pybind11::str empty_;
};

} // namespace korvane
