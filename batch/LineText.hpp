#pragma once

#include <string>
#include <string_view>

namespace korvane {

// The text without the blanks and tabs around it. Inline: every field of every line is trimmed.
inline std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Why a line cannot be read at all, or an empty text when it can: a NUL byte, bytes that are not
// UTF-8, or a character that could break a line or a field apart where the line is written out
// again (a C0 or C1 control other than the tab, DEL, U+2028 or U+2029).
std::string LineFault(std::string_view line);

// A piece of input quoted for a message: in double quotes, a tab shown as \t, and cut to a few
// dozen characters (at a character's boundary) so that a long line makes no long message.
std::string Quoted(std::string_view text);

} // namespace korvane
