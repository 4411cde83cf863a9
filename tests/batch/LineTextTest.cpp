#include "batch/LineText.hpp"

#include <gtest/gtest.h>
#include <string>

namespace korvane {
namespace {

// Plain lines are told apart eight characters at a time: every byte, at every place within and
// after those eight, must still be judged alone.
TEST(LineText, JudgesEveryByteWhereverItStands) {
    for (int byte = 0; byte < 256; ++byte) {
        const bool plain = (byte >= 0x20 && byte < 0x7F) || byte == '\t';
        for (std::size_t at = 0; at < 19; ++at) {
            std::string line(19, 'a');
            line[at] = static_cast<char>(byte);
            EXPECT_EQ(LineFault(line).empty(), plain) << "byte " << byte << " at " << at;
        }
    }
}

TEST(LineText, NamesWhatMakesALineUnreadable) {
    // clang-format off
    const std::pair<std::string, const char*> cases[] = {
        {"45,3",                          ""},
        {"15°52'31.11\"N,3",              ""},
        {"45,3\t",                        ""},
        {std::string("45\0,3", 5),        "the line holds a NUL byte"},
        {"45,3\r",                        "the line holds the control character U+000D"},
        {"45,3\x7f",                      "the line holds the control character U+007F"},
        {"45,3\xc2\x85",                  "the line holds the control character U+0085"}, // C1
        {"45,3\xe2\x80\xa8",              "the line holds the control character U+2028"},
        {"45,3\xe2\x80\xa9",              "the line holds the control character U+2029"},
        {"45,3\xc0\xaf",                  "the line is not valid UTF-8"}, // overlong
        {"45,3\xed\xa0\x80",              "the line is not valid UTF-8"}, // a surrogate
        {"45,3\xf4\x90\x80\x80",          "the line is not valid UTF-8"}, // beyond U+10FFFF
        {"45,3\xe2\x80",                  "the line is not valid UTF-8"}, // cut short
    };
    // clang-format on
    for (const auto& [line, fault] : cases) {
        EXPECT_EQ(LineFault(line), fault) << line;
    }
}

TEST(LineText, QuotesShortlyAndWithoutATab) {
    EXPECT_EQ(Quoted("1O.5"), "\"1O.5\"");
    EXPECT_EQ(Quoted("a\tb"), "\"a\\tb\"");
    EXPECT_EQ(Quoted(std::string(50, 'x')), "\"" + std::string(40, 'x') + "...\"");
    // Cut before a character that would be split: "°" takes two bytes, the 40th and 41st.
    EXPECT_EQ(Quoted(std::string(39, 'x') + "°yz"), "\"" + std::string(39, 'x') + "...\"");
}

} // namespace
} // namespace korvane
