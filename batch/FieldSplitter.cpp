#include "batch/FieldSplitter.hpp"

#include <algorithm>

namespace korvane {

std::string FieldSplitter::Split(std::string_view line) {
    fields_.clear();
    unquoted_.clear();
    blankSeparated_ = false;
    quotes_ = line.find('"') != std::string_view::npos;
    if (quotes_) {
        unquoted_.reserve(line.size()); // a field never grows by unquoting, so views stay valid
    }
    // A line that holds a tab is separated by tabs, so that a field written out by the converter
    // itself ("Paris, FR") keeps its commas; one without either is separated by blanks.
    if (line.find('\t') != std::string_view::npos) {
        return SplitAt(line, '\t');
    }
    if (line.find(',') != std::string_view::npos) {
        return SplitAt(line, ',');
    }
    return SplitAtBlanks(line);
}

std::string FieldSplitter::SplitAt(std::string_view line, char unquotedSeparator) {
    // A quoted first field is ended by the separator that follows its closing quote.
    char separator = 0;
    for (std::size_t start = 0;;) {
        std::size_t first = start;
        while (quotes_ && first < line.size() && line[first] == ' ') {
            ++first;
        }
        std::size_t end = 0;
        if (quotes_ && first < line.size() && line[first] == '"') {
            std::string failure;
            end = ReadQuoted(line, first, failure);
            while (failure.empty() && end < line.size() && line[end] == ' ') {
                ++end;
            }
            if (failure.empty() && end < line.size() && line[end] != separator &&
                (separator != 0 || (line[end] != ',' && line[end] != '\t'))) {
                failure = TextAfterQuote();
            }
            if (!failure.empty()) {
                return failure;
            }
        } else {
            const char ending = separator != 0 ? separator : unquotedSeparator;
            end = std::min(line.find(ending, start), line.size());
            fields_.push_back(line.substr(start, end - start));
        }
        if (end == line.size()) {
            return {};
        }
        separator = line[end];
        start = end + 1;
    }
}

std::string FieldSplitter::SplitAtBlanks(std::string_view line) {
    for (std::size_t start = line.find_first_not_of(' '); start != std::string_view::npos;
         start = line.find_first_not_of(' ', start)) {
        if (quotes_ && line[start] == '"') {
            std::string failure;
            start = ReadQuoted(line, start, failure);
            if (failure.empty() && start < line.size() && line[start] != ' ') {
                failure = TextAfterQuote();
            }
            if (!failure.empty()) {
                return failure;
            }
            continue;
        }
        const std::size_t end = std::min(line.find(' ', start), line.size());
        fields_.push_back(line.substr(start, end - start));
        start = end;
    }
    blankSeparated_ = fields_.size() > 1;
    if (fields_.empty()) {
        fields_.emplace_back(); // a line of blanks is one empty field
    }
    return {};
}

std::size_t FieldSplitter::ReadQuoted(std::string_view line, std::size_t start,
                                      std::string& failure) {
    const std::size_t number = fields_.size() + 1;
    std::size_t close = line.find('"', start + 1);
    if (close != std::string_view::npos && line.substr(close, 2) != "\"\"") {
        fields_.push_back(line.substr(start + 1, close - start - 1)); // no "" inside: a plain view
        return close + 1;
    }
    const std::size_t from = unquoted_.size();
    for (std::size_t at = start + 1;; at = close + 2) {
        close = line.find('"', at);
        if (close == std::string_view::npos) {
            failure =
                "field " + std::to_string(number) + " opens a quote that the line does not close";
            return line.size();
        }
        unquoted_.append(line.substr(at, close - at));
        if (line.substr(close, 2) != "\"\"") {
            break;
        }
        unquoted_.push_back('"');
    }
    fields_.push_back(std::string_view(unquoted_).substr(from));
    return close + 1;
}

std::string FieldSplitter::TextAfterQuote() const {
    return "field " + std::to_string(fields_.size()) + " has text after its closing quote";
}

} // namespace korvane
