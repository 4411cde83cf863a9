#include "batch/BatchRun.hpp"

#include "batch/LineReader.hpp"
#include "batch/LineText.hpp"
#include "batch/OrderedPool.hpp"
#include "batch/SystemFiles.hpp"

#include <cstring>
#include <functional>

namespace korvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A block is handed to a worker at this size even before it has its lines, so that long lines
// keep the memory in flight small.
constexpr std::size_t kBlockBytes = std::size_t{1} << 18;

// A header names columns: no digit, and more than separators, blanks and quotes ("," is an
// empty point, not a header). An Error line piped on from to-utm is never one.
bool IsHeader(std::string_view text) {
    return text.find_first_of("0123456789") == std::string_view::npos &&
           !text.starts_with("Error\t") &&
           text.find_first_not_of(" \t,\"") != std::string_view::npos;
}

// A line as the run reads it, with what its answer depends on besides its text.
struct InputLine {
    std::string_view text; // without the line end, a byte order mark or a carriage return
    bool tooLong = false;
    bool ended = true;
    bool first = false; // no point and no header came before it in its input
    long number = 0;    // counted from 1 within the input
};

// The failure that keeps a line from being read at all, if any.
std::string LineFailure(const InputLine& line) {
    return line.tooLong
               ? "the line is longer than " + std::to_string(LineReader::kLongestLine) + " bytes"
               : LineFault(line.text);
}

// Blank lines and comments are copied as they are.
bool IsCopied(const InputLine& line, const std::string& failure) {
    return failure.empty() && (Trimmed(line.text).empty() || line.text.starts_with('#'));
}

// Appends the line's answer to output; a line that fails is named, with its input and line
// number, in messages. Answers whether it failed.
bool AnswerLine(BatchLine& batchLine, const InputLine& line, const std::string& name,
                std::string& output, std::string& messages) {
    std::string failure = LineFailure(line);
    if (IsCopied(line, failure)) {
        output.append(line.text);
    } else if (failure.empty() && line.first && IsHeader(line.text)) {
        batchLine.AnswerHeader(line.text, output);
    } else {
        if (failure.empty() && !line.ended) {
            failure = "the last line has no line end: the input may be cut short";
        }
        if (failure.empty()) {
            failure = batchLine.Convert(line.text, output); // which writes its own Error line
        } else {
            output.append("Error\t").append(failure);
        }
    }
    output.push_back('\n');
    if (failure.empty()) {
        return false;
    }
    messages.append("korvane-batch: ")
        .append(name)
        .append(" line ")
        .append(std::to_string(line.number))
        .append(": ")
        .append(failure)
        .push_back('\n');
    return true;
}

// Reads an input's lines in order and tells each one whether it is the first point: lines are
// trimmed of a byte order mark and a carriage return, and counted.
class InputLines {
  public:
    InputLines(int descriptor, std::function<void()> beforeReading)
        : reader_(descriptor, std::move(beforeReading)) {}

    bool Next(InputLine& line) {
        LineReader::Line read;
        if (!reader_.Next(read)) {
            return false;
        }
        std::string_view text = read.text;
        if (++number_ == 1 && text.starts_with(kByteOrderMark)) {
            text.remove_prefix(kByteOrderMark.size()); // what spreadsheets put before CSV UTF-8
        }
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        line = {text, read.tooLong, read.ended, !pointsBegun_, number_};
        if (!pointsBegun_ && !IsCopied(line, LineFailure(line))) {
            pointsBegun_ = true;
        }
        return true;
    }

    int Error() const { return reader_.Error(); }

  private:
    LineReader reader_;
    long number_ = 0;
    bool pointsBegun_ = false;
};

// A pipe, a terminal or a socket may be another program or a person waiting for each answer;
// only a regular file is read ahead without answering.
bool AnswersBeforeEachRead(int descriptor) {
    return !IsRegularFile(descriptor);
}

} // namespace

// Lines copied out of the reader, and their answers once a worker has converted them.
struct BatchRun::Block {
    std::string texts;
    std::vector<InputLine> lines; // their texts are read from `texts` when they are answered
    std::vector<std::size_t> offsets;
    std::string name; // of the input

    std::string output;
    std::string messages;
    bool failed = false;

    void Add(const InputLine& line) {
        offsets.push_back(texts.size());
        texts.append(line.text);
        lines.push_back(line);
    }
    bool Full(std::size_t blockLines) const {
        return lines.size() >= blockLines || texts.size() >= kBlockBytes;
    }
    void Answer(BatchLine& batchLine) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            lines[i].text = std::string_view(texts).substr(offsets[i], lines[i].text.size());
            failed |= AnswerLine(batchLine, lines[i], name, output, messages);
        }
    }
};

// Worker threads, each with a converter of its own.
class BatchRun::Workers {
  public:
    Workers(const BatchSettings& settings, int count)
        : lines_(Converters(settings, count)), pool_(count, [this](Block& block, int worker) {
              block.Answer(lines_[static_cast<std::size_t>(worker)]);
          }) {}

    OrderedPool<Block>& Pool() { return pool_; }

  private:
    static std::vector<BatchLine> Converters(const BatchSettings& settings, int count) {
        std::vector<BatchLine> lines;
        lines.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            lines.emplace_back(settings);
        }
        return lines;
    }

    std::vector<BatchLine> lines_;
    OrderedPool<Block> pool_; // last: its threads stop before the converters go
};

BatchRun::BatchRun(const BatchSettings& settings, OutputWriter& output, std::ostream& messages,
                   int jobs, std::size_t blockLines)
    : settings_(settings), line_(settings), output_(output), messages_(messages), jobs_(jobs),
      blockLines_(blockLines) {}

BatchRun::~BatchRun() = default;

void BatchRun::Convert(int descriptor, const std::string& name) {
    if (jobs_ > 1) {
        ConvertOnWorkers(descriptor, name);
    } else {
        ConvertHere(descriptor, name);
    }
}

void BatchRun::CannotOpen(const std::string& name, int error) {
    messages_ << "korvane-batch: cannot open " << name << ": " << std::strerror(error) << '\n';
    Raise(kWrongCommandLineOrUnreadableInput);
}

void BatchRun::ConvertHere(int descriptor, const std::string& name) {
    std::function<void()> beforeReading;
    if (AnswersBeforeEachRead(descriptor)) {
        beforeReading = [this] { output_.Flush(); };
    }
    InputLines lines(descriptor, beforeReading);
    std::string messages;
    for (InputLine line; lines.Next(line);) {
        if (AnswerLine(line_, line, name, output_.Buffer(), messages)) {
            messages_ << messages; // one write a message: the messages go out unbuffered
            messages.clear();
            Raise(kSomeLinesFailed);
        }
        output_.FlushWhenFull();
    }
    if (const int error = lines.Error()) {
        messages_ << "korvane-batch: cannot read " << name << ": " << std::strerror(error) << '\n';
        Raise(kWrongCommandLineOrUnreadableInput);
    }
}

void BatchRun::ConvertOnWorkers(int descriptor, const std::string& name) {
    if (!workers_) {
        workers_ = std::make_unique<Workers>(settings_, jobs_);
    }
    // Enough blocks that every worker has the next one at hand while the oldest is written.
    const auto inFlight = static_cast<std::size_t>(2 * jobs_ + 1);
    auto block = std::make_unique<Block>();
    const auto handOver = [&] {
        if (!block->lines.empty()) {
            block->name = name;
            workers_->Pool().Submit(std::move(block));
            block = std::make_unique<Block>();
        }
    };
    std::function<void()> beforeReading;
    if (AnswersBeforeEachRead(descriptor)) {
        beforeReading = [&] {
            if (!InputWaiting(descriptor)) {
                handOver();
                WriteBlocks(1);
                output_.Flush();
            }
        };
    }
    InputLines lines(descriptor, beforeReading);
    for (InputLine line; lines.Next(line);) {
        block->Add(line);
        if (block->Full(blockLines_)) {
            handOver();
            WriteBlocks(inFlight);
        }
    }
    handOver();
    WriteBlocks(1);
    if (const int error = lines.Error()) {
        messages_ << "korvane-batch: cannot read " << name << ": " << std::strerror(error) << '\n';
        Raise(kWrongCommandLineOrUnreadableInput);
    }
}

void BatchRun::WriteBlocks(std::size_t atMost) {
    OrderedPool<Block>& pool = workers_->Pool();
    for (;;) {
        std::unique_ptr<Block> done =
            pool.InFlight() >= atMost ? pool.TakeOldest() : pool.TakeOldestIfDone();
        if (!done) {
            return;
        }
        output_.Buffer().append(done->output);
        if (done->failed) {
            messages_ << done->messages;
            Raise(kSomeLinesFailed);
        }
        output_.FlushWhenFull();
    }
}

} // namespace korvane
