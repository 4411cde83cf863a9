#pragma once

#include <cstddef>
#include <pybind11/numpy.h>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane {

// Texts kept with their elements' indexes, for the few that go into a column only once the
// interpreter's lock is held again.
using IndexedTexts = std::vector<std::pair<std::size_t, std::string>>;

// What one thread's writes into a StrColumn leave for its settling: the widest text written, in
// code points, and the texts wider than the column as it stood.
struct StrSpill {
    std::size_t widest = 0;
    IndexedTexts wider;
};

// A NumPy str array ("<U" and the longest text's length) filled from UTF-8 texts: one block of
// memory rather than a Python object for each element, which for a million grid references
// would cost more than converting them. It is made as wide as the texts it expects, written by
// any number of threads without the interpreter's lock, then settled with the lock to the width
// of its widest text.
class StrColumn {
  public:
    // With the lock.
    StrColumn(std::size_t count, std::size_t expectedWidth);

    // Without the lock, each index once: the text into its element, or into the spill when it
    // is wider than the column.
    void Write(std::size_t index, std::string_view text, StrSpill& spill);

    // With the lock, once every write is done: the column as wide as the widest text of all the
    // spills (at least one character: NumPy has no str of none), the wider texts in it.
    pybind11::array Settle(std::span<const StrSpill> spills);

  private:
    void Rewiden(std::size_t width);

    std::size_t count_;
    std::size_t width_;
    // The characters as 32-bit integers: NumPy fills a new str array with zeros in pages of
    // 4 KiB faulted in one at a time, an array of integers comes in large pages and unfilled.
    pybind11::array_t<std::uint32_t> codes_;
    std::uint32_t* data_;
};

// An array of count Python str objects, the reasons of the failures given and the one empty str
// everywhere else. With the lock.
pybind11::array ReasonColumn(std::size_t count, std::span<const IndexedTexts> failures);

} // namespace korvane
