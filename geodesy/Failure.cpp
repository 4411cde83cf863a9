#include "geodesy/Failure.hpp"

namespace korvane {

ComputationFailure::ComputationFailure(const char* kind, std::string step,
                                       const std::string& detail)
    : std::runtime_error(std::string(kind) + " in " + step + ": " + detail),
      step_(std::move(step)) {}

} // namespace korvane
