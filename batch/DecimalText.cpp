#include "batch/DecimalText.hpp"

namespace korvane {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t DigitsLength(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    return end - from;
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

bool IsDecimalNumber(std::string_view text) {
    text.remove_prefix(SignLength(text));
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
