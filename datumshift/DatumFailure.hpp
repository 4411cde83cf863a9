#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace korvane {

// A datum that cannot be used, or a shift that cannot be made between two datums; the message
// says which and why.
class DatumFailure : public std::runtime_error {
  public:
    explicit DatumFailure(const std::string& message) : std::runtime_error(message) {}
};

// A geographic CRS of PROJ's database whose name is close to one that was not found.
struct DatumSuggestion {
    std::string name; // "ED50"
    std::string code; // "EPSG:4230"
};

// A name or code that PROJ's database does not hold. The message quotes it, says how to list the
// names PROJ knows and suggests close ones.
class UnknownDatumFailure final : public DatumFailure {
  public:
    UnknownDatumFailure(const std::string& given, const std::string& detail,
                        std::vector<DatumSuggestion> suggestions);

    const std::vector<DatumSuggestion>& Suggestions() const noexcept { return suggestions_; }

  private:
    std::vector<DatumSuggestion> suggestions_;
};

} // namespace korvane
