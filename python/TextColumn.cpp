#include "TextColumn.hpp"

#include <algorithm>
#include <cstdint>

namespace py = pybind11;

namespace korvane {

namespace {

bool IsContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

// Writes the code points of UTF-8 text (written by the commands, so well formed) to out, and
// gives the end of what it wrote.
char32_t* WriteCodePoints(std::string_view text, char32_t* out) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        *out++ = point;
        i += length;
    }
    return out;
}

} // namespace

void TextColumn::Add(std::string_view text) {
    bytes_.append(text);
    ends_.push_back(bytes_.size());
    longest_ = std::max(longest_, text.size());
    ascii_ = ascii_ && std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string_view TextColumn::At(std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(bytes_).substr(begin, ends_[index] - begin);
}

py::array TextColumn::StrArray() const {
    std::size_t width = std::max<std::size_t>(longest_, 1); // NumPy has no str of no characters
    if (!ascii_) {
        width = 1;
        for (std::size_t i = 0; i < ends_.size(); ++i) {
            width = std::max(width, CodePoints(At(i)));
        }
    }
    // NumPy zero-fills a new str array, in pages of 4 KiB faulted in one at a time; the same
    // memory as an array of integers comes in large pages, and is not filled twice.
    py::array_t<std::uint32_t> codes(static_cast<py::ssize_t>(ends_.size() * width));
    auto* characters = reinterpret_cast<char32_t*>(codes.mutable_data());
    {
        py::gil_scoped_release unlocked;
        for (std::size_t i = 0; i < ends_.size(); ++i) {
            const std::string_view text = At(i);
            char32_t* const element = characters + i * width;
            char32_t* const end = ascii_ ? std::copy(text.begin(), text.end(), element)
                                         : WriteCodePoints(text, element);
            std::fill(end, element + width, U'\0');
        }
    }
    return codes.attr("view")(py::dtype("<U" + std::to_string(width)));
}

py::array TextColumn::ObjectArray() const {
    py::array array(py::dtype("object"),
                    std::vector<py::ssize_t>{static_cast<py::ssize_t>(ends_.size())});
    auto** slots = static_cast<PyObject**>(array.mutable_data());
    const py::str empty("");
    for (std::size_t i = 0; i < ends_.size(); ++i) {
        const std::string_view text = At(i);
        py::object item = text.empty() ? py::object(empty) : py::str(text.data(), text.size());
        Py_XDECREF(slots[i]);
        slots[i] = item.release().ptr();
    }
    return array;
}

} // namespace korvane
