#pragma once

#include <cstddef>
#include <initializer_list>
#include <limits>
#include <pybind11/numpy.h>

namespace korvane {

// The flat arrays the package's Python code hands the compiled module: float64 numbers and
// hemisphere codes, one element a point.
using NumberArray =
    pybind11::array_t<double, pybind11::array::c_style | pybind11::array::forcecast>;
using LetterArray =
    pybind11::array_t<signed char, pybind11::array::c_style | pybind11::array::forcecast>;

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The one length of the arrays; a ValueError where one is not flat or its length differs.
inline std::size_t CheckedLength(std::initializer_list<const pybind11::array*> arrays) {
    const auto size = static_cast<std::size_t>((*arrays.begin())->size());
    for (const pybind11::array* array : arrays) {
        if (array->ndim() != 1 || static_cast<std::size_t>(array->size()) != size) {
            throw pybind11::value_error("the arrays must be one-dimensional and of one length");
        }
    }
    return size;
}

} // namespace korvane
