#include "batch/LineText.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace korvane {

namespace {

constexpr std::size_t kLongestQuote = 40;

// A lambda rather than a function, so that the checks below take it inline rather than call it
// for every character.
constexpr auto kIsPlainCharacter = [](char c) { return (c >= ' ' && c < 0x7F) || c == '\t'; };

// Plain ASCII without control characters other than the tab: the usual line, which needs none
// of the checks below. Eight characters at a time: with every byte below 0x80, adding 0x60 sets
// a byte's high bit from the blank on, and adding 1 sets it only for DEL; neither carries.
bool IsPlainText(std::string_view text) {
    constexpr std::uint64_t kEach = 0x0101010101010101;
    constexpr std::uint64_t kHigh = 0x80 * kEach;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, text.data() + i, sizeof chunk);
        const bool plain = (chunk & kHigh) == 0 && ((chunk + 0x60 * kEach) & kHigh) == kHigh &&
                           ((chunk + kEach) & kHigh) == 0;
        if (!plain && !std::all_of(text.data() + i, text.data() + i + 8, kIsPlainCharacter)) {
            return false;
        }
    }
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(),
                       kIsPlainCharacter);
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

std::string CodePointName(unsigned codePoint) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", codePoint);
    return name;
}

// Whether a character breaks a line or a field apart where it is written out.
bool BreaksLinesOrFields(unsigned codePoint) {
    return (codePoint < 0x20 && codePoint != '\t') || (codePoint >= 0x7F && codePoint < 0xA0) ||
           codePoint == 0x2028 || codePoint == 0x2029;
}

} // namespace

std::string LineFault(std::string_view line) {
    if (IsPlainText(line)) {
        return {};
    }
    if (line.find('\0') != std::string_view::npos) {
        return "the line holds a NUL byte";
    }
    for (std::size_t i = 0; i < line.size();) {
        const auto byte = static_cast<unsigned char>(line[i]);
        std::size_t length = 1;
        unsigned minimum = 0;
        unsigned codePoint = byte;
        if (byte >= 0x80) {
            if ((byte & 0xE0) == 0xC0) {
                length = 2, minimum = 0x80, codePoint = byte & 0x1Fu;
            } else if ((byte & 0xF0) == 0xE0) {
                length = 3, minimum = 0x800, codePoint = byte & 0x0Fu;
            } else if ((byte & 0xF8) == 0xF0) {
                length = 4, minimum = 0x10000, codePoint = byte & 0x07u;
            } else {
                return "the line is not valid UTF-8";
            }
            if (i + length > line.size()) {
                return "the line is not valid UTF-8";
            }
            for (std::size_t k = 1; k < length; ++k) {
                const auto next = static_cast<unsigned char>(line[i + k]);
                if (!IsContinuation(next)) {
                    return "the line is not valid UTF-8";
                }
                codePoint = (codePoint << 6) | (next & 0x3Fu);
            }
            // No overlong forms, no surrogates and nothing beyond U+10FFFF.
            if (codePoint < minimum || codePoint > 0x10FFFF ||
                (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
                return "the line is not valid UTF-8";
            }
        }
        if (BreaksLinesOrFields(codePoint)) {
            return "the line holds the control character " + CodePointName(codePoint);
        }
        i += length;
    }
    return {};
}

std::string Quoted(std::string_view text) {
    std::size_t end = std::min(text.size(), kLongestQuote);
    while (end < text.size() && end > 0 && IsContinuation(static_cast<unsigned char>(text[end]))) {
        --end;
    }
    std::string quoted = "\"";
    for (const char c : text.substr(0, end)) {
        quoted += c == '\t' ? std::string_view("\\t") : std::string_view(&c, 1);
    }
    quoted += end < text.size() ? "...\"" : "\"";
    return quoted;
}

} // namespace korvane
