#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace korvane {

// Digits written two at a time from a table of "00" to "99": half the divisions of one at a
// time, and no branch on how many digits a small number has, which varies from point to point.
inline constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes the nine digits of a number below 10^9, leading zeros and all, and returns their end.
inline char* WriteNineDigits(char* out, std::uint64_t number) {
    out[0] = static_cast<char>('0' + number / 100000000);
    number %= 100000000;
    for (std::size_t pair = 4; pair-- > 0;) {
        std::memcpy(out + 1 + 2 * pair, kDigitPairs.data() + 2 * (number % 100), 2);
        number /= 100;
    }
    return out + 9;
}

// Writes the digits of a whole number, as to_chars does, and returns their end; room for ten
// characters. Below 100, the usual degrees, minutes and seconds, both characters of its pair are
// written and the end moved past one or two of them.
inline char* WriteWholeDigits(char* out, std::uint32_t number) {
    if (number >= 100) {
        return std::to_chars(out, out + 10, number).ptr;
    }
    const bool two = number >= 10;
    const char* const pair = kDigitPairs.data() + 2 * number;
    out[0] = pair[two ? 0 : 1];
    out[1] = pair[1];
    return out + 1 + static_cast<std::size_t>(two);
}

// The same for a signed number, after a "-" when it is negative; room for eleven characters.
inline char* WriteWholeNumber(char* out, std::int32_t number) {
    if (number < 0) {
        *out++ = '-';
    }
    // Negated as unsigned, which no number overflows.
    const auto magnitude = static_cast<std::uint32_t>(number);
    return WriteWholeDigits(out, number < 0 ? 0u - magnitude : magnitude);
}

// The decimals of a count of hundredths that is not whole, without a trailing zero: "5" for 1250,
// "05" for 1205.
inline std::string_view HundredthsDecimals(std::uint64_t hundredths) {
    return {kDigitPairs.data() + 2 * (hundredths % 100), hundredths % 10 == 0 ? 1u : 2u};
}

} // namespace korvane
