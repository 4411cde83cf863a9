#include "StrColumn.hpp"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace py = pybind11;

namespace korvane {

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80; // not a continuation byte
    }));
}

// Writes the code points of UTF-8 text (written by the commands, so well formed) to out, and
// gives the end of what it wrote.
std::uint32_t* WriteCodePoints(std::string_view text, std::uint32_t* out) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t point = length == 1 ? lead : lead & (0x7Fu >> length);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        }
        *out++ = point;
        i += length;
    }
    return out;
}

} // namespace

StrColumn::StrColumn(std::size_t count)
    : count_(count), codes_(static_cast<py::ssize_t>(count * width_)) {}

void StrColumn::Set(std::size_t index, std::string_view text) {
    const bool ascii = IsAscii(text);
    const std::size_t length = ascii ? text.size() : CodePoints(text);
    if (length > width_) {
        Widen(length, index);
    }
    std::uint32_t* const element = codes_.mutable_data() + index * width_;
    std::uint32_t* const end = ascii ? std::transform(text.begin(), text.end(), element,
                                                      [](char c) { return std::uint32_t(c); })
                                     : WriteCodePoints(text, element);
    std::fill(end, element + width_, 0u);
}

void StrColumn::Widen(std::size_t width, std::size_t filled) {
    py::array_t<std::uint32_t> wider(static_cast<py::ssize_t>(count_ * width));
    const std::uint32_t* from = codes_.data();
    std::uint32_t* to = wider.mutable_data();
    for (std::size_t i = 0; i < filled; ++i, from += width_, to += width) {
        std::fill(std::copy(from, from + width_, to), to + width, 0u);
    }
    codes_ = std::move(wider);
    width_ = width;
}

py::array StrColumn::Array() const {
    return codes_.attr("view")(py::dtype("<U" + std::to_string(width_)));
}

ReasonColumn::ReasonColumn(std::size_t count)
    : array_(py::dtype("object"), std::vector<py::ssize_t>{static_cast<py::ssize_t>(count)}),
      empty_("") {}

void ReasonColumn::Set(std::size_t index, std::string_view text) {
    auto** slots = static_cast<PyObject**>(array_.mutable_data());
    py::object reason = text.empty() ? py::object(empty_) : py::str(text.data(), text.size());
    Py_XDECREF(slots[index]);
    slots[index] = reason.release().ptr();
}

} // namespace korvane
