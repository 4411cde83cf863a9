#include "geodesy/Failure.hpp"

namespace korvane {

ComputationFailure::ComputationFailure(FailureKind kind, std::string step,
                                       const std::string& detail)
    : std::runtime_error(std::string(FailureKindName(kind)) + " in " + step + ": " + detail),
      kind_(kind), step_(std::move(step)) {}

const char* FailureKindName(FailureKind kind) noexcept {
    switch (kind) {
    case FailureKind::Overflow:
        return "overflow";
    case FailureKind::FloatingPoint:
        return "floating-point failure";
    case FailureKind::Subscript:
        return "subscript out of range";
    case FailureKind::InvalidArgument:
        return "invalid argument";
    }
    return "failure";
}

} // namespace korvane
