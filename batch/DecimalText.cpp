#include "batch/DecimalText.hpp"

#include "base/DigitRun.hpp"

namespace korvane {

namespace {

std::size_t DigitsLength(std::string_view text, std::size_t from) {
    return DigitRunLength(text.substr(from));
}

std::size_t SignLength(std::string_view text) {
    return !text.empty() && (text.front() == '-' || text.front() == '+') ? 1 : 0;
}

} // namespace

std::size_t UnsignedDecimalLength(std::string_view text) {
    const std::size_t whole = DigitsLength(text, 0);
    std::size_t length = whole;
    std::size_t decimals = 0;
    if (length < text.size() && text[length] == '.') {
        decimals = DigitsLength(text, length + 1);
        length += 1 + decimals;
    }
    return whole + decimals > 0 ? length : 0;
}

std::size_t ExponentLength(std::string_view text) {
    if (text.empty() || (text.front() != 'e' && text.front() != 'E')) {
        return 0;
    }
    const std::size_t sign = SignLength(text.substr(1));
    const std::size_t digits = DigitsLength(text, 1 + sign);
    return digits > 0 ? 1 + sign + digits : 0;
}

bool IsPlainDecimal(std::string_view text) {
    // One pass that counts rather than branches: the characters of a field vary in number and
    // kind from line to line, and a branch on each would be mispredicted time and again.
    std::size_t points = 0;
    std::size_t others = 0;
    for (const char c : text) {
        points += c == '.';
        others += static_cast<unsigned char>(c - '0') > 9;
    }
    return others == points && points <= 1 && text.size() > points;
}

bool IsDecimalNumber(std::string_view text) {
    text.remove_prefix(SignLength(text));
    if (IsPlainDecimal(text)) {
        return true;
    }
    const std::size_t mantissa = UnsignedDecimalLength(text);
    return mantissa > 0 && mantissa + ExponentLength(text.substr(mantissa)) == text.size();
}

bool IsWholeNumber(std::string_view text) {
    text.remove_prefix(SignLength(text));
    std::size_t length = DigitsLength(text, 0);
    if (length == 0) {
        return false;
    }
    if (length < text.size() && text[length] == '.') {
        ++length;
        while (length < text.size() && text[length] == '0') {
            ++length;
        }
    }
    return length == text.size();
}

} // namespace korvane
