// GridReference on arbitrary numbers, NaN and infinities included: a well-formed text or a
// typed failure.

#include "FuzzInput.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/GridReference.hpp"
#include "support/TextShapes.hpp"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double numbers[3] = {};
    std::int16_t zone = 0;
    std::memcpy(numbers, data, std::min(size, sizeof numbers));
    if (size > sizeof numbers) {
        std::memcpy(&zone, data + sizeof numbers, std::min(size - sizeof numbers, sizeof zone));
    }
    const auto [latitude, easting, northing] = numbers;
    try {
        const std::string text(
            korvane::GridReference(zone, korvane::BandLetter(latitude), easting, northing));
        if (!korvane::fuzz::IsGridReference(text)) {
            korvane::fuzz::Broken("a malformed grid reference: " + text);
        }
    } catch (const korvane::ComputationFailure&) {
        // an index beyond 16 bits, a letter code beyond 255, or no finite number
    }
    return 0;
}
