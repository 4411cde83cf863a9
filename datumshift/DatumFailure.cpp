#include "datumshift/DatumFailure.hpp"

namespace korvane {

namespace {

std::string UnknownDatumMessage(const std::string& given, const std::string& detail,
                                const std::vector<DatumSuggestion>& suggestions) {
    std::string message = "unknown datum \"" + given + "\": " + detail;
    if (!suggestions.empty()) {
        message += "; did you mean ";
        for (std::size_t i = 0; i < suggestions.size(); ++i) {
            message += i == 0 ? "" : i + 1 == suggestions.size() ? " or " : ", ";
            message += "\"" + suggestions[i].name + "\" (" + suggestions[i].code + ")";
        }
        message += "?";
    } else {
        message += ".";
    }
    return message + " The command projinfo --list-crs geographic_2d lists the names and codes "
                     "PROJ knows (Debian package proj-bin).";
}

} // namespace

UnknownDatumFailure::UnknownDatumFailure(const std::string& given, const std::string& detail,
                                         std::vector<DatumSuggestion> suggestions)
    : DatumFailure(UnknownDatumMessage(given, detail, suggestions)),
      suggestions_(std::move(suggestions)) {}

} // namespace korvane
