#include "batch/FieldSplitter.hpp"

#include <algorithm>

namespace korvane {

namespace {

bool IsSeparator(char c) {
    return c == ',' || c == '\t';
}

// Where the next separator stands from start on, or the line's end.
std::size_t NextSeparator(std::string_view line, std::size_t start) {
    const std::size_t comma = line.find(',', start);
    const std::size_t tab = line.find('\t', start);
    return std::min({comma, tab, line.size()});
}

} // namespace

std::string FieldSplitter::Split(std::string_view line) {
    fields_.clear();
    unquoted_.clear();
    if (line.find('"') == std::string_view::npos) {
        // The usual line: no quotes, so every field lies between two separators. Each kind of
        // separator is searched for on its own, which memchr does many characters at a time;
        // only the kind just passed is searched for again.
        std::size_t comma = line.find(',');
        std::size_t tab = line.find('\t');
        for (std::size_t start = 0;;) {
            const std::size_t end = std::min({comma, tab, line.size()});
            fields_.push_back(line.substr(start, end - start));
            if (end == line.size()) {
                return {};
            }
            start = end + 1;
            (end == comma ? comma : tab) = line.find(line[end], start);
        }
    }
    unquoted_.reserve(line.size()); // a field never grows by unquoting, so views stay valid
    for (std::size_t start = 0;;) {
        std::size_t first = start;
        while (first < line.size() && line[first] == ' ') {
            ++first;
        }
        std::size_t end = 0;
        if (first < line.size() && line[first] == '"') {
            std::string failure;
            end = ReadQuoted(line, first, failure);
            if (!failure.empty()) {
                return failure;
            }
        } else {
            end = NextSeparator(line, start);
            fields_.push_back(line.substr(start, end - start));
        }
        if (end == line.size()) {
            return {};
        }
        start = end + 1;
    }
}

std::size_t FieldSplitter::ReadQuoted(std::string_view line, std::size_t start,
                                      std::string& failure) {
    const std::size_t number = fields_.size() + 1;
    std::size_t close = line.find('"', start + 1);
    if (close != std::string_view::npos && line.substr(close, 2) != "\"\"") {
        fields_.push_back(line.substr(start + 1, close - start - 1)); // no "" inside: a plain view
    } else {
        const std::size_t from = unquoted_.size();
        std::size_t at = start + 1;
        for (;; at = close + 2) {
            close = line.find('"', at);
            if (close == std::string_view::npos) {
                failure = "field " + std::to_string(number) +
                          " opens a quote that the line does "
                          "not close";
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
    if (end < line.size() && !IsSeparator(line[end])) {
        failure = "field " + std::to_string(number) + " has text after its closing quote";
    }
    return end;
}

} // namespace korvane
