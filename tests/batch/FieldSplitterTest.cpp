#include "batch/FieldSplitter.hpp"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace korvane {
namespace {

std::vector<std::string> FieldsOf(std::string_view line, std::string* failure = nullptr) {
    FieldSplitter splitter;
    const std::string reason = splitter.Split(line);
    if (failure != nullptr) {
        *failure = reason;
    }
    const auto fields = splitter.Fields();
    return {fields.begin(), fields.end()};
}

using Fields = std::vector<std::string>;

TEST(FieldSplitter, SplitsAtTabsAndCommasOutsideQuotes) {
    // clang-format off
    const std::pair<const char*, Fields> cases[] = {
        {"45,3",                        {"45", "3"}},
        {"45\t3",                       {"45", "3"}},
        {",",                           {"", ""}},
        {"",                            {""}},
        {"\"45\",\"3\"",                {"45", "3"}},
        {"7,\"Smith, J\",-33.86",       {"7", "Smith, J", "-33.86"}},
        {" \"a\" ,b",                   {"a", "b"}},           // blanks around the quotes
        {"\"say \"\"hi\"\"\",x",        {"say \"hi\"", "x"}},  // "" is one quote
        {"\"\"\"\",\"\"",               {"\"", ""}},
        {"\"a\tb\",c",                  {"a\tb", "c"}},        // a tab kept inside quotes
        {"15°52'31.11\"N,44°5'16.11\"E", {"15°52'31.11\"N", "44°5'16.11\"E"}},
        {"\"15°52'31.11\"\"N\",3",      {"15°52'31.11\"N", "3"}},
        {"Hill\t12,5\t33.86",           {"Hill", "12,5", "33.86"}},
        {"Paris, FR\t48.8566",          {"Paris, FR", "48.8566"}},  // a tab anywhere decides
        {"a,b\tc",                      {"a,b", "c"}},
        {"\"a,b\"\tc",                  {"a,b", "c"}},
        {"\"a\",b\tc",                  {"a", "b\tc"}},
        {"-33.86 151.21",               {"-33.86", "151.21"}},  // neither: runs of blanks
        {"  38N  402339 1755355 ",      {"38N", "402339", "1755355"}},
        {"\"New York\" 40.7 -74",       {"New York", "40.7", "-74"}},
        {"38PMC0233955355",             {"38PMC0233955355"}},
        {"   ",                         {""}},
    };
    // clang-format on
    for (const auto& [line, fields] : cases) {
        std::string failure;
        EXPECT_EQ(FieldsOf(line, &failure), fields) << line;
        EXPECT_EQ(failure, "") << line;
    }
}

// Lines without quotes, with separators anywhere, split as a reading character by character
// splits them.
TEST(FieldSplitter, SplitsLinesWithoutQuotesAsCharacterByCharacter) {
    const auto byCharacter = [](std::string_view line) {
        Fields fields(1);
        const bool tab = line.find('\t') != std::string_view::npos;
        const char separator =
            tab || line.find(',') != std::string_view::npos ? (tab ? '\t' : ',') : ' ';
        for (const char c : line) {
            if (c != separator) {
                fields.back() += c;
            } else if (separator != ' ' || !fields.back().empty()) {
                fields.emplace_back(); // blanks in a run separate once
            }
        }
        if (separator == ' ' && fields.size() > 1 && fields.back().empty()) {
            fields.pop_back(); // blanks at the end
        }
        return fields;
    };
    std::mt19937 engine(5);
    const std::string alphabet(",\ta1 \0\xC3", 7);
    for (int i = 0; i < 20000; ++i) {
        std::string line(engine() % 41, ' ');
        for (char& c : line) {
            c = alphabet[engine() % alphabet.size()];
        }
        std::string failure;
        ASSERT_EQ(FieldsOf(line, &failure), byCharacter(line)) << i;
        ASSERT_EQ(failure, "");
    }
    // A quote far into the line still makes it one with quotes.
    EXPECT_EQ(FieldsOf("12345678,abcdefg\"h,\"i,j\""), (Fields{"12345678", "abcdefg\"h", "i,j"}));
}

TEST(FieldSplitter, NamesAQuoteThatDoesNotClose) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"45,3", "field 1 opens a quote that the line does not close"},
        {"1,\"a\"\"", "field 2 opens a quote that the line does not close"},
        {"\"45\"x,3", "field 1 has text after its closing quote"},
        {"1\t\"a\",b", "field 2 has text after its closing quote"}, // a comma in a tab line
    };
    for (const auto& [line, reason] : cases) {
        std::string failure;
        FieldsOf(line, &failure);
        EXPECT_EQ(failure, reason) << line;
    }
}

// A field made from "" lives in the splitter; many of them on one line must all stay valid.
TEST(FieldSplitter, UnquotedFieldsStayValidAcrossTheLine) {
    std::string line;
    Fields expected;
    for (int i = 0; i < 200; ++i) {
        line += "\"" + std::to_string(i) + "\"\"\",";
        expected.push_back(std::to_string(i) + "\"");
    }
    line.pop_back();
    EXPECT_EQ(FieldsOf(line), expected);
}

} // namespace
} // namespace korvane
