#include "LargePageArray.hpp"

#include "SpareBlocks.hpp"

#include <algorithm>
#include <memory>
#include <vector>

namespace py = pybind11;

namespace korvane {

namespace {

// A block of object references: NumPy lets go of an array's elements only in memory it made
// itself, so the block's owner lets go of those it holds.
class ObjectBlock {
  public:
    explicit ObjectBlock(std::size_t count) : block_(count * sizeof(PyObject*)), count_(count) {}
    ObjectBlock(const ObjectBlock&) = delete;
    ObjectBlock& operator=(const ObjectBlock&) = delete;
    ~ObjectBlock() {
        std::for_each(Slots(), Slots() + held_, [](PyObject* element) { Py_XDECREF(element); });
    }

    PyObject** Slots() const { return static_cast<PyObject**>(block_.Data()); }
    // Once every slot holds a reference.
    void Filled() { held_ = count_; }

  private:
    LargePageBlock block_;
    std::size_t count_;
    std::size_t held_ = 0;
};

} // namespace

LargePageBlock::LargePageBlock(std::size_t bytes)
    // Whole pages, so that the last is not shared with other memory.
    : bytes_((bytes + kLargePage - 1) / kLargePage * kLargePage),
      data_(SpareBlocks::Store().Take(bytes_)) {
    if (data_ == nullptr) {
        data_ = SpareBlocks::Allocate(bytes_);
    }
}

LargePageBlock::~LargePageBlock() {
    SpareBlocks::Store().Keep(data_, bytes_);
}

py::array LargePageObjectArray(std::size_t count, py::handle fill) {
    const auto FillWith = [&](PyObject** slots) {
        // A reference for each slot taken as the interpreter takes them, which holds also where
        // it counts them per thread (free-threaded Python).
        std::for_each(slots, slots + count, [&](PyObject*& slot) {
            slot = fill.ptr();
            Py_INCREF(slot);
        });
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
    return py::array(py::dtype("object"), shape, {}, slots, OwnerOf(std::move(block)));
}

} // namespace korvane
