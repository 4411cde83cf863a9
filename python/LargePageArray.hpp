#pragma once

#include <cstddef>
#include <memory>
#include <pybind11/numpy.h>

namespace korvane {

// Memory for a result column in whole large pages (2 MiB), asked of the system as such where it
// has them: a new column is written once, and the system's small pages would each be faulted in
// and zeroed on their own, which for a million points costs more than a tenth of converting
// them. NumPy asks for large pages too, but only between the 2 MiB boundaries inside its block.
// A block let go of is kept for the next column of its size (see SpareBlocks), its contents
// unset.
class LargePageBlock {
  public:
    explicit LargePageBlock(std::size_t bytes);
    LargePageBlock(const LargePageBlock&) = delete;
    LargePageBlock& operator=(const LargePageBlock&) = delete;
    ~LargePageBlock();

    void* Data() const { return data_; }

  private:
    std::size_t bytes_; // whole pages
    void* data_;
};

// An owner of what the pointer holds, for an array made on its memory: it deletes it when the
// array goes. Should the owner not be made, what it holds goes with the pointer.
template <typename T> pybind11::capsule OwnerOf(std::unique_ptr<T> owned) {
    pybind11::capsule owner(owned.get(), [](void* held) { delete static_cast<T*>(held); });
    owned.release(); // now the owner's
    return owner;
}

// Below this a column takes NumPy's own memory: a large page is zeroed whole when first touched.
inline constexpr std::size_t kLargePageColumnsFrom = std::size_t{1} << 20; // bytes

// A one-dimensional array of count elements, its elements unset; from kLargePageColumnsFrom
// bytes on a block of large pages of its own.
template <typename T> pybind11::array_t<T> LargePageArray(std::size_t count) {
    if (count * sizeof(T) < kLargePageColumnsFrom) {
        return pybind11::array_t<T>(static_cast<pybind11::ssize_t>(count));
    }
    auto block = std::make_unique<LargePageBlock>(count * sizeof(T));
    T* const data = static_cast<T*>(block->Data());
    return pybind11::array_t<T>({static_cast<pybind11::ssize_t>(count)}, data,
                                OwnerOf(std::move(block)));
}

// The same for an array of Python objects, each element a reference to fill.
pybind11::array LargePageObjectArray(std::size_t count, pybind11::handle fill);

} // namespace korvane
