#pragma once

#include <cstddef>
#include <pybind11/numpy.h>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane {

// Texts kept with their elements' indexes, for the few that go into a column only once the
// interpreter's lock is held again.
using IndexedTexts = std::vector<std::pair<std::size_t, std::string>>;

// A NumPy str array ("<U" and the longest text's length) filled from UTF-8 texts: one block of
// memory rather than a Python object for each element, which for a million grid references
// would cost more than converting them. It is made as wide as the texts it expects, written by
// its threads without the interpreter's lock, then settled with the lock to the width of its
// widest text.
class StrColumn {
  public:
    // With the lock; `threads` numbers the threads that will write, from 0.
    StrColumn(std::size_t count, std::size_t expectedWidth, std::size_t threads);

    // Without the lock, each index once: the text into its element, or kept aside for Settle
    // when it is wider than the column.
    void Write(std::size_t index, std::string_view text, std::size_t thread);

    // With the lock, once every write is done: the column as wide as its widest text (at least
    // one character: NumPy has no str of none), the texts kept aside in it.
    pybind11::array Settle();

  private:
    // What one thread's writes leave for settling: the widest text, in code points, and the
    // texts wider than the column. On cache lines of its own, so that the threads do not slow
    // each other down by writing to theirs.
    struct alignas(64) Spill {
        std::size_t widest = 0;
        IndexedTexts wider;
    };

    void Rewiden(std::size_t width);

    std::size_t count_;
    std::size_t width_;
    // The characters as 32-bit integers: NumPy fills a new str array with zeros, an array of
    // integers comes unfilled.
    pybind11::array_t<std::uint32_t> codes_;
    std::uint32_t* data_;
    std::vector<Spill> spills_;
};

// An array of Python str objects for the reasons of failures, which are few and of any length:
// gathered by its threads without the lock, and made with it, the one empty str wherever there
// is no reason.
class ReasonColumn {
  public:
    explicit ReasonColumn(std::size_t threads) : reasons_(threads) {}

    // Without the lock.
    void Add(std::size_t index, std::string_view reason, std::size_t thread) {
        reasons_[thread].texts.emplace_back(index, reason);
    }

    // With the lock, once every reason is added.
    pybind11::array Settle(std::size_t count) const;

  private:
    struct alignas(64) Reasons {
        IndexedTexts texts;
    };
    std::vector<Reasons> reasons_;
};

} // namespace korvane
