#include "geodesy/Int16.hpp"

#include "geodesy/Failure.hpp"

#include <string>

namespace korvane::int16_detail {

void ThrowOutOfRange(long long value, const char* step) {
    throw OverflowFailure(step, std::to_string(value) + " is outside -32768..32767");
}

void ThrowDoesNotRound(const char* step) {
    throw OverflowFailure(step, "the value does not round into -32768..32767");
}

} // namespace korvane::int16_detail
