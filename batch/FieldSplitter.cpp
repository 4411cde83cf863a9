#include "batch/FieldSplitter.hpp"

#include <algorithm>

namespace korvane {

namespace {

// Where the field from start on ends: at the line's separator, or at the line's end.
std::size_t FieldEnd(std::string_view line, std::size_t start, char separator) {
    return std::min(line.find(separator, start), line.size());
}

} // namespace

std::string FieldSplitter::Split(std::string_view line) {
    fields_.clear();
    unquoted_.clear();
    const bool quotes = line.find('"') != std::string_view::npos;
    if (quotes) {
        unquoted_.reserve(line.size()); // a field never grows by unquoting, so views stay valid
    }
    // A line that holds a tab is separated by tabs, so that a field written out by the converter
    // itself ("Paris, FR") keeps its commas; a quoted first field is ended by the separator after
    // its closing quote.
    char separator = 0;
    const char unquotedSeparator = line.find('\t') != std::string_view::npos ? '\t' : ',';
    for (std::size_t start = 0;;) {
        std::size_t first = start;
        while (quotes && first < line.size() && line[first] == ' ') {
            ++first;
        }
        std::size_t end = 0;
        if (quotes && first < line.size() && line[first] == '"') {
            std::string failure;
            end = ReadQuoted(line, first, separator, failure);
            if (!failure.empty()) {
                return failure;
            }
        } else {
            end = FieldEnd(line, start, separator != 0 ? separator : unquotedSeparator);
            fields_.push_back(line.substr(start, end - start));
        }
        if (end == line.size()) {
            return {};
        }
        separator = line[end];
        start = end + 1;
    }
}

std::size_t FieldSplitter::ReadQuoted(std::string_view line, std::size_t start, char separator,
                                      std::string& failure) {
    const std::size_t number = fields_.size() + 1;
    std::size_t close = line.find('"', start + 1);
    if (close != std::string_view::npos && line.substr(close, 2) != "\"\"") {
        fields_.push_back(line.substr(start + 1, close - start - 1)); // no "" inside: a plain view
    } else {
        const std::size_t from = unquoted_.size();
        for (std::size_t at = start + 1;; at = close + 2) {
            close = line.find('"', at);
            if (close == std::string_view::npos) {
                failure = "field " + std::to_string(number) +
                          " opens a quote that the line does not close";
                return line.size();
            }
            unquoted_.append(line.substr(at, close - at));
            if (line.substr(close, 2) != "\"\"") {
                break;
            }
            unquoted_.push_back('"');
        }
        fields_.push_back(std::string_view(unquoted_).substr(from));
    }
    std::size_t end = close + 1;
    while (end < line.size() && line[end] == ' ') {
        ++end;
    }
    if (end < line.size() && line[end] != separator &&
        (separator != 0 || (line[end] != ',' && line[end] != '\t'))) {
        failure = "field " + std::to_string(number) + " has text after its closing quote";
    }
    return end;
}

} // namespace korvane
