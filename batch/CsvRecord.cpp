#include "batch/CsvRecord.hpp"

#include <string_view>

namespace korvane {

namespace {

bool NeedsQuotes(std::string_view field) {
    return field.find_first_of(",\"") != std::string_view::npos ||
           (!field.empty() && (field.front() == ' ' || field.back() == ' '));
}

} // namespace

void TabsToCsvRecord(std::string& text, std::size_t start) {
    const std::string fields = text.substr(start);
    text.resize(start);
    for (std::size_t begin = 0;;) {
        const std::size_t end = std::min(fields.find('\t', begin), fields.size());
        const std::string_view field = std::string_view(fields).substr(begin, end - begin);
        if (NeedsQuotes(field)) {
            text.push_back('"');
            for (const char c : field) {
                text.append(c == '"' ? 2 : 1, c);
            }
            text.push_back('"');
        } else {
            text.append(field);
        }
        if (end == fields.size()) {
            return;
        }
        text.push_back(',');
        begin = end + 1;
    }
}

} // namespace korvane
