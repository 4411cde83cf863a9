// ReadNumber takes any text: it gives a finite number or an overflow, nothing else.

#include "FuzzInput.hpp"
#include "commands/ReadNumber.hpp"
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
    return 0;
}
