#include "base/DigitPairs.hpp"

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

// Signed numbers as to_chars writes them, to the ends of the range.
TEST(WriteWholeNumber, WritesTheSignAndTheDigits) {
    for (const std::int32_t number : {0, 7, -7, 59, -60, 180, -180, 2147483647, -2147483647 - 1}) {
        char expected[16];
        char written[16];
        const char* const expectedEnd = std::to_chars(expected, expected + 16, number).ptr;
        EXPECT_EQ(std::string_view(written, WriteWholeNumber(written, number)),
                  std::string_view(expected, expectedEnd));
    }
}

TEST(HundredthsDecimals, DropATrailingZero) {
    const std::pair<std::uint64_t, const char*> cases[] = {{1250, "5"}, {1205, "05"}, {1, "01"},
                                                           {10, "1"},   {99, "99"},   {5999, "99"}};
    for (const auto& [hundredths, decimals] : cases) {
        EXPECT_EQ(HundredthsDecimals(hundredths), decimals) << hundredths;
    }
}

} // namespace
} // namespace korvane
