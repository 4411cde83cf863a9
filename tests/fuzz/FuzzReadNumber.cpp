// ReadNumber takes any text: it gives a finite number or an overflow, nothing else. The regional
// reading of any text is a text that it gives back unchanged, so the old reading takes it whole.

#include "FuzzInput.hpp"
#include "commands/ReadNumber.hpp"
#include "commands/RegionalReading.hpp"
#include "geodesy/Failure.hpp"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const double value = korvane::ReadNumber(text);
        if (!std::isfinite(value)) {
            korvane::fuzz::Broken("ReadNumber gave a value that is not finite");
        }
    } catch (const korvane::OverflowFailure&) {
        // a number too large for a double
    }
    // German, French (a group separator of three bytes) and a hypothetical pair of one byte each.
    const korvane::RegionalSeparators regional[] = {{".", ","}, {"\u202F", ","}, {"'", ","}};
    for (const auto& separators : regional) {
        const std::string plain = korvane::RegionalReading(text, separators);
        if (plain != text && korvane::RegionalReading(plain, separators) != plain) {
            korvane::fuzz::Broken("the regional reading of " + std::string(text) + " is " + plain +
                                  ", which it would read again");
        }
    }
    return 0;
}
