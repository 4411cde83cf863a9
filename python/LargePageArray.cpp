#include "LargePageArray.hpp"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace py = pybind11;

namespace korvane {

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;
constexpr std::align_val_t kLargePageAlignment{kLargePage};

void DeleteLargePageBlock(void* block) {
    ::operator delete(block, kLargePageAlignment);
}

// A block of object references: NumPy lets go of an array's elements only in memory it made
// itself, so the block's owner lets go of those it holds.
class ObjectBlock {
  public:
    explicit ObjectBlock(std::size_t count)
        : slots_(static_cast<PyObject**>(NewLargePageBlock(count * sizeof(PyObject*)))),
          count_(count) {}
    ObjectBlock(const ObjectBlock&) = delete;
    ObjectBlock& operator=(const ObjectBlock&) = delete;
    ~ObjectBlock() {
        std::for_each(slots_, slots_ + held_, [](PyObject* element) { Py_XDECREF(element); });
        DeleteLargePageBlock(slots_);
    }

    PyObject** Slots() const { return slots_; }
    // Once every slot holds a reference.
    void Filled() { held_ = count_; }

  private:
    PyObject** slots_;
    std::size_t count_;
    std::size_t held_ = 0;
};

} // namespace

void* NewLargePageBlock(std::size_t bytes) {
    // Whole pages, so that the last is not shared with other memory.
    const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* const block = ::operator new(rounded, kLargePageAlignment);
#ifdef MADV_HUGEPAGE
    // Advice only: where the system has no large pages to give, small ones serve.
    madvise(block, rounded, MADV_HUGEPAGE);
#endif
    return block;
}

py::capsule LargePageBlockOwner(void* block) {
    try {
        return py::capsule(block, DeleteLargePageBlock);
    } catch (...) {
        DeleteLargePageBlock(block); // no owner was made to let go of it
        throw;
    }
}

py::array LargePageObjectArray(std::size_t count, py::handle fill) {
    const auto FillWith = [&](PyObject** slots) {
        std::fill(slots, slots + count, fill.ptr());
        // The references taken all at once rather than one at a time.
        Py_SET_REFCNT(fill.ptr(), Py_REFCNT(fill.ptr()) + static_cast<Py_ssize_t>(count));
    };
    const std::vector shape{static_cast<py::ssize_t>(count)};
    if (count * sizeof(PyObject*) < kLargePageColumnsFrom) {
        py::array column(py::dtype("object"), shape);
        auto** slots = static_cast<PyObject**>(column.mutable_data());
        std::for_each(slots, slots + count, [](PyObject* made) { Py_XDECREF(made); });
        FillWith(slots);
        return column;
    }
    auto block = std::make_unique<ObjectBlock>(count);
    PyObject** const slots = block->Slots();
    FillWith(slots);
    block->Filled();
    const py::capsule owner(block.get(),
                            [](void* owned) { delete static_cast<ObjectBlock*>(owned); });
    block.release(); // now the owner's
    return py::array(py::dtype("object"), shape, {}, slots, owner);
}

} // namespace korvane
