#include "batch/BatchRun.hpp"

#include "batch/LineReader.hpp"
#include "batch/LineText.hpp"
#include "batch/SystemFiles.hpp"

#include <cstring>

namespace korvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A header names columns: no digit, and more than separators, blanks and quotes ("," is an
// empty point, not a header). An Error line piped on from to-utm is never one.
bool IsHeader(std::string_view text) {
    return text.find_first_of("0123456789") == std::string_view::npos &&
           !text.starts_with("Error\t") &&
           text.find_first_not_of(" \t,\"") != std::string_view::npos;
}

} // namespace

void BatchRun::Convert(int descriptor, const std::string& name) {
    std::function<void()> beforeReading;
    if (!IsRegularFile(descriptor)) {
        // A pipe, a terminal or a socket may be another program or a person waiting for each
        // answer; only a regular file is read ahead without answering.
        beforeReading = [this] { output_.Flush(); };
    }
    LineReader reader(descriptor, beforeReading);
    pointsBegun_ = false;
    long lineNumber = 0;
    for (LineReader::Line line; reader.Next(line);) {
        std::string_view text = line.text;
        if (++lineNumber == 1 && text.starts_with(kByteOrderMark)) {
            text.remove_prefix(kByteOrderMark.size()); // what spreadsheets put before CSV UTF-8
        }
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        Answer(text, line.tooLong, line.ended, name, lineNumber);
        output_.Buffer().push_back('\n');
        output_.FlushWhenFull();
    }
    if (const int error = reader.Error()) {
        messages_ << "korvane-batch: cannot read " << name << ": " << std::strerror(error) << '\n';
        Raise(kWrongCommandLineOrUnreadableInput);
    }
}

void BatchRun::CannotOpen(const std::string& name, int error) {
    messages_ << "korvane-batch: cannot open " << name << ": " << std::strerror(error) << '\n';
    Raise(kWrongCommandLineOrUnreadableInput);
}

void BatchRun::Answer(std::string_view text, bool tooLong, bool ended, const std::string& name,
                      long lineNumber) {
    std::string& output = output_.Buffer();
    std::string failure =
        tooLong ? "the line is longer than " + std::to_string(LineReader::kLongestLine) + " bytes"
                : LineFault(text);
    if (failure.empty() && (Trimmed(text).empty() || text.starts_with('#'))) {
        output.append(text);
        return;
    }
    const bool first = !pointsBegun_;
    pointsBegun_ = true;
    if (failure.empty() && first && IsHeader(text)) {
        line_.AnswerHeader(text, output);
        return;
    }
    if (failure.empty() && !ended) {
        failure = "the last line has no line end: the input may be cut short";
    }
    if (failure.empty()) {
        failure = line_.Convert(text, output); // which writes its own Error line
    } else {
        output.append("Error\t").append(failure);
    }
    if (!failure.empty()) {
        Failed(name, lineNumber, failure);
    }
}

void BatchRun::Failed(const std::string& name, long lineNumber, const std::string& reason) {
    // One write a message: the messages go out unbuffered.
    messages_ << "korvane-batch: " + name + " line " + std::to_string(lineNumber) + ": " + reason +
                     '\n';
    Raise(kSomeLinesFailed);
}

} // namespace korvane
