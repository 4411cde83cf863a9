#include "commands/ReadNumber.hpp"

#include "base/DigitRun.hpp"
#include "commands/NumberCursor.hpp"
#include "geodesy/Failure.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

namespace korvane {

namespace {

constexpr const char* kStep = "reading a number";

// The number's text as a failure quotes it: whole up to a line's width, else its start.
std::string Quoted(std::string_view number) {
    constexpr std::size_t kLongest = 40;
    return number.size() <= kLongest ? std::string(number)
                                     : std::string(number.substr(0, kLongest)) + "...";
}

int DigitValue(char c, int base) {
    int value = 99;
    if (IsDigit(c)) {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

double ReadRadixNumber(std::string_view text, NumberCursor& cursor, int base) {
    std::uint64_t value = 0;
    for (int digit = DigitValue(cursor.Peek(), base); digit >= 0;
         digit = DigitValue(cursor.Peek(), base)) {
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) {
            throw OverflowFailure(kStep,
                                  "the whole number " + Quoted(text) + " does not fit in 32 bits");
        }
        cursor.Advance();
    }
    if (value <= 0xFFFFu) {
        return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    }
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// Where the decimal number at the cursor stands in the text, and what it holds.
struct DecimalScan {
    std::size_t begin = 0;
    std::size_t end = 0;
    int digits = 0;
    // The power of ten just above the number's magnitude: tells overflow from underflow.
    long magnitude = 0;
};

void ScanDigits(NumberCursor& cursor, DecimalScan& number, bool beforePoint, bool& seenNonZero) {
    for (; IsDigit(cursor.Peek()); cursor.Advance()) {
        ++number.digits;
        seenNonZero = seenNonZero || cursor.Peek() != '0';
        if (beforePoint && seenNonZero) {
            ++number.magnitude;
        } else if (!beforePoint && !seenNonZero) {
            --number.magnitude;
        }
    }
}

// An exponent after the mantissa: E or D, an optional sign and at least one digit. Without a
// digit the marker is not part of the number.
void ScanExponent(NumberCursor& cursor, DecimalScan& number) {
    const char marker = cursor.Peek();
    if (!(marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd')) {
        return;
    }
    NumberCursor exponentCursor = cursor;
    exponentCursor.Advance();
    const char sign = exponentCursor.Peek();
    if (sign == '+' || sign == '-') {
        exponentCursor.Advance();
    }
    if (!IsDigit(exponentCursor.Peek())) {
        return;
    }
    long exponent = 0;
    for (; IsDigit(exponentCursor.Peek()); exponentCursor.Advance()) {
        exponent = std::min(exponent * 10 + (exponentCursor.Peek() - '0'), 1000000000L);
    }
    number.magnitude += sign == '-' ? -exponent : exponent;
    cursor = exponentCursor;
}

DecimalScan ScanDecimal(NumberCursor& cursor) {
    DecimalScan number;
    number.begin = cursor.Position();
    if (cursor.Peek() == '-' || cursor.Peek() == '+') {
        cursor.Advance();
    }
    bool seenNonZero = false;
    ScanDigits(cursor, number, true, seenNonZero);
    if (cursor.Peek() == '.') {
        cursor.Advance();
        ScanDigits(cursor, number, false, seenNonZero);
    }
    if (number.digits > 0) {
        ScanExponent(cursor, number);
    }
    number.end = cursor.ConsumedEnd();
    return number;
}

// The number's characters as from_chars takes them: no blanks, no "+" in front, "e" for "D".
std::string PlainCharacters(std::string_view number) {
    std::string characters;
    for (char c : number) {
        if (c == ' ' || c == '\t' || c == '\n' || (c == '+' && characters.empty())) {
            continue;
        }
        characters += c == 'D' || c == 'd' ? 'e' : c;
    }
    return characters;
}

// The powers of ten that a number of at most fifteen digits can have decimals for.
constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The usual texts, an empty box or a number such as "-44.0877772" (an optional "-", digits and
// at most one point, nothing else). Gives what the scan below gives, sooner; nothing when the
// text is anything else or out of a double's range, which the scan then sorts out.
std::optional<double> ReadPlainDecimal(std::string_view text) {
    if (text.empty()) {
        return 0.0;
    }
    const bool negative = text.front() == '-';
    const std::string_view number = text.substr(negative ? 1 : 0);
    std::uint64_t whole = 0; // the digits without the point; used only while exact
    std::size_t i = 0;
    const auto readDigits = [&] {
        const std::size_t start = i;
        for (std::uint64_t eight = 0; i + 8 <= number.size() && EightDigits(&number[i], eight);
             i += 8) {
            whole = whole * 100000000 + eight;
        }
        for (; i < number.size() && IsDigit(number[i]); ++i) {
            whole = whole * 10 + static_cast<std::uint64_t>(number[i] - '0');
        }
        return i - start;
    };
    const std::size_t integerDigits = readDigits();
    std::size_t decimals = 0;
    if (i < number.size() && number[i] == '.') {
        ++i;
        decimals = readDigits();
    }
    const std::size_t digits = integerDigits + decimals;
    if (i != number.size() || digits == 0) {
        return std::nullopt;
    }
    // Fifteen digits are an exact double and so is the power of ten: the one division rounds
    // once, to the nearest, which is exactly what from_chars gives.
    if (digits <= 15) {
        const double magnitude = static_cast<double>(whole) / kExactPowersOfTen[decimals];
        return negative ? -magnitude : magnitude;
    }
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<double> ReadPlainNumber(std::string_view text) {
    return text.empty() ? std::nullopt : ReadPlainDecimal(text);
}

double ReadNumber(std::string_view text) {
    if (const auto value = ReadPlainDecimal(text)) {
        return *value;
    }
    NumberCursor cursor(text);
    if (cursor.Peek() == '&') {
        const char radix = cursor.PeekAfterNext();
        if (radix == 'H' || radix == 'h' || radix == 'O' || radix == 'o') {
            cursor.Advance();
            cursor.Advance();
            return ReadRadixNumber(text, cursor, radix == 'H' || radix == 'h' ? 16 : 8);
        }
        return 0;
    }
    const DecimalScan number = ScanDecimal(cursor);
    if (number.digits == 0) {
        return 0;
    }
    const std::string_view span = text.substr(number.begin, number.end - number.begin);
    const bool plain =
        span.front() != '+' && span.find_first_of(" \t\nDd") == std::string_view::npos;
    const std::string copied = plain ? std::string() : PlainCharacters(span);
    const std::string_view characters = plain ? span : std::string_view(copied);
    double value = 0;
    const auto [stop, error] =
        std::from_chars(characters.data(), characters.data() + characters.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (number.magnitude > 0) {
            // "9e999" fails the reading, which the windows show as "Error", rather than go on
            // as an infinity that would turn every later step into no number at all.
            throw OverflowFailure(kStep,
                                  "the number " + Quoted(span) + " is too large for a double");
        }
        return characters.front() == '-' ? -0.0 : 0.0; // too small: it reads as zero
    }
    return value;
}

} // namespace korvane
