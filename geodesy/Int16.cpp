#include "geodesy/Int16.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/ValueText.hpp"

#include <string>

namespace korvane::int16_detail {

void ThrowOutOfRange(long long value, const char* step) {
    throw OverflowFailure(step, std::to_string(value) + " is outside -32768..32767");
}

void ThrowDoesNotRound(double value, const char* step) {
    throw OverflowFailure(step, ValueText(value) + " does not round into -32768..32767");
}

} // namespace korvane::int16_detail
