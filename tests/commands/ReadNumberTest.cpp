#include "commands/ReadNumber.hpp"

#include "geodesy/Failure.hpp"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>

namespace korvane {
namespace {

TEST(ReadNumber, ReadsLenientlyFromTheStart) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},
        {"abc", 0},
        {"15", 15},
        {"31.11", 31.11},
        {" 1 2", 12},
        {"\t1\n2 . 5", 12.5},
        {"+7", 7},
        {"-5", -5},
        {"- 5", -5},
        {"--5", 0},
        {".5", 0.5},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"1.5e3", 1500},
        {"1D2", 100},
        {"1d-2", 0.01},
        {"2E+1", 20},
        {"1e", 1},
        {"1e+", 1},
        {"1ex", 1},
        {"e5", 0},
        {".e5", 0},
        {"12abc", 12},
        {"1,5", 1},
        {"1.2.3", 1.2},
        {"1e3.5", 1000},
        {"1 e 3", 1000},
        {"1e-999", 0},
        {"0.000", 0},
        {"1755352.105", 1755352.105},
        {"\r5", 0}, // a carriage return is not passed over
        // Runs of eight characters with one just outside the digits ("/" and ":" border them)
        {"1234567:9", 1234567},
        {"1.2345678/9", 1.2345678},
        {"0.:2345678", 0},
        {"12345678.87654321", 12345678.87654321},
        {"-1234567890123456", -1234567890123456},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ReadNumber(text), value) << '"' << text << '"';
    }
}

TEST(ReadNumber, ReadsHexadecimalAndOctalWithTheirSignRules) {
    const std::pair<const char*, double> cases[] = {
        {"&HFFFF", -1},
        {"&hff", 255},
        {"&H7FFF", 32767},
        {"&H8000", -32768},
        {"&H10000", 65536},
        {"&HFFFFFFFF", -1},
        {"&H7FFFFFFF", 2147483647},
        {"&H80000000", -2147483648.0},
        {"&O17", 15},
        {"&o177777", -1},
        {"&O8", 0},
        {"&H", 0},
        {"&X12", 0},
        {"&", 0},
        {" & H 1 F", 31},
        {"&H1FG", 31},
        {"&H0000FFFF", -1},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ReadNumber(text), value) << '"' << text << '"';
    }
}

TEST(ReadNumber, ANumberTooLargeForADoubleFails) {
    for (const char* text : {"9e999", "-9e999", "1e309", "&H100000000",
                             "1000000000000000000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000000000000000000"}) {
        EXPECT_THROW(ReadNumber(text), OverflowFailure) << text;
    }
    // The message quotes the number, or the start of a long one.
    for (const auto& [text, quoted] : {std::pair{"-9e999", "the number -9e999 is"},
                                       {"&H100000000", "the whole number &H100000000 does"},
                                       {"1e4000000000000000000000000000000000000000",
                                        "1e40000000000000000000000000000000000000..."}}) {
        try {
            ReadNumber(text);
            ADD_FAILURE() << text;
        } catch (const OverflowFailure& failure) {
            EXPECT_NE(std::string(failure.what()).find(quoted), std::string::npos)
                << failure.what();
        }
    }
    EXPECT_EQ(ReadNumber("1.7976931348623157e308"), 1.7976931348623157e308);
}

TEST(ReadNumber, NegativeZeroAndTinyNumbersReadAsZero) {
    EXPECT_EQ(ReadNumber("-0"), 0);
    EXPECT_EQ(ReadNumber("-1e-999"), 0);
    EXPECT_EQ(ReadNumber("0.0000000000000000000000000000000000000000000000000000001e-300"), 0);
}

// The usual box text, digits with a point somewhere, is read to the nearest double: the same
// bits as the standard library's reading, whatever the number of digits and decimals.
TEST(ReadNumber, PlainDecimalsAreTheNearestDouble) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> length(1, 24);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int i = 0; i < 200000; ++i) {
        std::string text = random() % 4 == 0 ? "-" : "";
        const int digits = length(random);
        const int point = static_cast<int>(random() % static_cast<unsigned>(digits + 2)) - 1;
        for (int k = 0; k < digits; ++k) {
            if (k == point) {
                text += '.';
            }
            text += static_cast<char>('0' + digit(random));
        }
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(ReadNumber(text)),
                  std::bit_cast<std::uint64_t>(expected))
            << text;
        const std::optional<double> plain = ReadPlainNumber(text);
        ASSERT_TRUE(plain.has_value()) << text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(*plain), std::bit_cast<std::uint64_t>(expected))
            << text;
    }
}

// Only the plain form is read without the lenient scan, to the value the scan gives; anything
// the scan would read differently, or check first, is left to it.
TEST(ReadNumber, PlainNumbersAloneAreReadAtOnce) {
    const std::pair<const char*, bool> cases[] = {
        {"15", true},     {"-31.11", true}, {".5", true},     {"5.", true},   {"-0", true},
        {"0.000", true},  {"", false},      {"-", false},     {".", false},   {"-.", false},
        {"+7", false},    {" 15", false},   {"15 ", false},   {"1 2", false}, {"--5", false},
        {"1.5e3", false}, {"1D2", false},   {"12abc", false}, {"1,5", false}, {"1.2.3", false},
        {"\r5", false},   {"&H10", false},  {"1e999", false},
    };
    for (const auto& [text, plain] : cases) {
        SCOPED_TRACE(text);
        const std::optional<double> value = ReadPlainNumber(text);
        ASSERT_EQ(value.has_value(), plain);
        if (value) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(*value),
                      std::bit_cast<std::uint64_t>(ReadNumber(text)));
        }
    }
    // Beyond a double's range: left to the scan, which fails it.
    const std::string huge(400, '9');
    EXPECT_FALSE(ReadPlainNumber(huge).has_value());
    EXPECT_THROW(ReadNumber(huge), OverflowFailure);
}

} // namespace
} // namespace korvane
