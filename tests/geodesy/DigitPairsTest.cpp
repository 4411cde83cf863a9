#include "geodesy/DigitPairs.hpp"

#include <charconv>
#include <cstdint>
#include <gtest/gtest.h>
#include <numeric>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane {
namespace {

// The digits of any whole number are to_chars' own, those below 100 written from their pair.
TEST(WriteWholeDigits, WritesTheDigitsToCharsWrites) {
    std::vector<std::uint32_t> numbers(100000);
    std::iota(numbers.begin(), numbers.end(), 0u);
    numbers.push_back(4294967295u);
    for (const std::uint32_t number : numbers) {
        char expected[16];
        char written[16];
        const char* const expectedEnd = std::to_chars(expected, expected + 16, number).ptr;
        const char* const end = WriteWholeDigits(written, number);
        ASSERT_EQ(std::string_view(written, end), std::string_view(expected, expectedEnd));
    }
}

// Nine digits keep their leading zeros.
TEST(WriteNineDigits, WritesNineDigitsWithLeadingZeros) {
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "000000000"}, {7, "000000007"}, {120000345, "120000345"}, {999999999, "999999999"}};
    for (const auto& [number, text] : cases) {
        char written[9];
        ASSERT_EQ(WriteNineDigits(written, number), written + 9);
        EXPECT_EQ(std::string_view(written, 9), text);
    }
}

} // namespace
} // namespace korvane
