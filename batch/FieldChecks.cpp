#include "batch/FieldChecks.hpp"

#include "base/AsciiLetters.hpp"
#include "batch/DecimalText.hpp"
#include "batch/LineText.hpp"

#include <algorithm>

namespace korvane {

std::string FieldFailure(std::string_view role, std::string_view text, std::string_view reason) {
    return std::string(role) + " " + Quoted(text) + " " + std::string(reason);
}

std::string NumberFailure(std::string_view role, std::string_view text) {
    if (text.empty()) {
        return std::string(role) + " is empty";
    }
    return IsDecimalNumber(text) ? std::string() : FieldFailure(role, text, "is not a number");
}

std::string WholeNumberFailure(std::string_view role, std::string_view text) {
    if (text.empty()) {
        return std::string(role) + " is empty";
    }
    return IsWholeNumber(text) ? std::string() : FieldFailure(role, text, "is not a whole number");
}

std::string_view ReadHemisphere(std::string_view text, std::string_view letters) {
    if (text.size() != 1) {
        return {};
    }
    // Looked for among the few letters in place: the string's own search would be a call.
    const auto at = std::find(letters.begin(), letters.end(), UpperCase(text[0]));
    return at == letters.end() ? std::string_view()
                               : letters.substr(static_cast<std::size_t>(at - letters.begin()), 1);
}

std::array<std::string_view, 8> TrimmedFields(std::span<const std::string_view> fields) {
    std::array<std::string_view, 8> texts;
    const auto kept = fields.first(std::min(fields.size(), texts.size()));
    std::transform(kept.begin(), kept.end(), texts.begin(), Trimmed);
    return texts;
}

} // namespace korvane
