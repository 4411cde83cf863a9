#include "StrColumn.hpp"

#include "LargePageArray.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

StrColumn::StrColumn(std::size_t count, std::size_t expectedWidth, std::size_t threads)
    : count_(count), width_(std::max<std::size_t>(expectedWidth, 1)),
      codes_(LargePageArray<std::uint32_t>(count * width_)), data_(codes_.mutable_data()),
      spills_(threads) {}

void StrColumn::Write(std::size_t index, std::string_view text, std::size_t thread) {
    Spill& spill = spills_[thread];
    const bool ascii = IsAscii(text);
    const std::size_t length = ascii ? text.size() : CodePoints(text);
    spill.widest = std::max(spill.widest, length);
    if (length > width_) {
        spill.wider.emplace_back(index, text);
        Fill(index, {}, true);
    } else {
        Fill(index, text, ascii);
    }
}

void StrColumn::Fill(std::size_t index, std::string_view text, bool ascii) {
    std::uint32_t* const element = data_ + index * width_;
    std::uint32_t* const end = ascii ? std::transform(text.begin(), text.end(), element,
                                                      [](char c) { return std::uint32_t(c); })
                                     : WriteCodePoints(text, element);
    std::fill(end, element + width_, 0u);
}

py::array StrColumn::Settle() {
    std::size_t widest = 1;
    for (const Spill& spill : spills_) {
        widest = std::max(widest, spill.widest);
    }
    if (widest != width_) {
        Rewiden(widest);
    }
    for (const Spill& spill : spills_) {
        for (const auto& [index, text] : spill.wider) {
            Fill(index, text, IsAscii(text));
        }
    }
    const py::object rows = codes_[py::slice(0, static_cast<py::ssize_t>(count_ * width_), 1)];
    return rows.attr("view")(py::dtype("<U" + std::to_string(width_)));
}

void StrColumn::Rewiden(std::size_t width) {
    if (width > width_) {
        // Into a block of their new size, rather than moved within this one: the rows spread.
        auto wider = LargePageArray<std::uint32_t>(count_ * width);
        std::uint32_t* const rows = wider.mutable_data();
        for (std::size_t i = 0; i < count_; ++i) {
            std::uint32_t* const row = rows + i * width;
            std::copy_n(data_ + i * width_, width_, row);
            std::fill(row + width_, row + width, 0u);
        }
        codes_ = std::move(wider);
        data_ = rows;
    } else {
        // In place, from the front, so that no row is overwritten before it has moved; the
        // characters cut off are the zeros after every text. The block keeps its size, and the
        // column shows the part the rows take.
        for (std::size_t i = 0; i < count_; ++i) {
            std::memmove(data_ + i * width, data_ + i * width_, width * sizeof *data_);
        }
    }
    width_ = width;
}

py::array ReasonColumn::Settle(std::size_t count) const {
    py::array column = LargePageObjectArray(count, py::str(""));
    auto** slots = static_cast<PyObject**>(column.mutable_data());
    for (const Reasons& thread : reasons_) {
        for (const auto& [index, reason] : thread.texts) {
            Py_XSETREF(slots[index], py::str(reason).release().ptr());
        }
    }
    return column;
}

} // namespace korvane
