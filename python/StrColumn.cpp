#include "StrColumn.hpp"

#include "LargePageArray.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace py = pybind11;

namespace korvane {

namespace {

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

// The code points of text into an element of width characters, the rest of it zeros.
void WriteAndPad(std::uint32_t* element, std::string_view text, std::size_t width) {
    std::fill(WriteCodePoints(text, element), element + width, 0u);
}

} // namespace

StrColumn::StrColumn(std::size_t count, std::size_t expectedWidth, std::size_t threads)
    : count_(count), width_(std::max<std::size_t>(expectedWidth, 1)),
      codes_(LargePageArray<std::uint32_t>(count * width_)), data_(codes_.mutable_data()),
      spills_(threads) {}

void StrColumn::Write(std::size_t index, std::string_view text, std::size_t thread) {
    Spill& spill = spills_[thread];
    std::uint32_t* const element = data_ + index * width_;
    if (text.size() <= width_) {
        // Its bytes fit, so its code points do. The bytes are widened on the guess that they
        // are ASCII, as nearly every text is, and looked at in the same pass; the code points
        // are written over them where the guess was wrong.
        unsigned char bits = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            bits |= byte;
            element[i] = byte;
        }
        std::uint32_t* const end =
            bits < 0x80 ? element + text.size() : WriteCodePoints(text, element);
        std::fill(end, element + width_, 0u);
        spill.widest = std::max(spill.widest, static_cast<std::size_t>(end - element));
        return;
    }
    const std::size_t length = CodePoints(text);
    spill.widest = std::max(spill.widest, length);
    if (length > width_) {
        spill.wider.emplace_back(index, text);
        std::fill(element, element + width_, 0u);
    } else {
        WriteAndPad(element, text, width_);
    }
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
            WriteAndPad(data_ + index * width_, text, width_);
        }
    }
    const py::object rows = codes_[py::slice(0, static_cast<py::ssize_t>(count_ * width_), 1)];
    return rows.attr("view")(py::dtype("<U" + std::to_string(width_)));
}

void StrColumn::Rewiden(std::size_t width) {
    // Into a block of their new size when they spread, and when they shrink to half or less:
    // the column keeps its block alive, and a column of failures would hold 23 times its size.
    if (width > width_ || 2 * width <= width_) {
        auto resized = LargePageArray<std::uint32_t>(count_ * width);
        std::uint32_t* const rows = resized.mutable_data();
        for (std::size_t i = 0; i < count_; ++i) {
            std::uint32_t* const row = rows + i * width;
            std::copy_n(data_ + i * width_, std::min(width, width_), row);
            std::fill(row + std::min(width, width_), row + width, 0u);
        }
        codes_ = std::move(resized);
        data_ = rows;
    } else {
        // In place, from the front, so that no row is overwritten before it has moved; the
        // characters cut off are the zeros after every text. The block keeps its size, and the
        // column shows the part the rows take: at most twice it.
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
