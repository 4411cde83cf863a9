#include "batch/BatchRun.hpp"

#include "batch/CsvRecord.hpp"
#include "batch/LineReader.hpp"
#include "batch/LineText.hpp"
#include "batch/OrderedPool.hpp"
#include "batch/SystemFiles.hpp"

#include <algorithm>
#include <cstring>
#include <functional>

namespace korvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Blocks and worker converters each sit on cache lines of their own: two threads writing to one
// line would hand it back and forth between their cores on every line of input.
constexpr std::size_t kCacheLine = 64;

std::string_view WithoutCarriageReturn(std::string_view text) {
    return text.ends_with('\r') ? text.substr(0, text.size() - 1) : text;
}

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
    const std::size_t answerStart = output.size();
    if (IsCopied(line, failure)) {
        output.append(line.text);
    } else if (failure.empty() && line.first && IsHeader(line.text) &&
               !batchLine.TakesWithoutDigits(line.text)) {
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
    if (batchLine.Settings().csv && !IsCopied(line, failure)) {
        TabsToCsvRecord(output, answerStart);
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
        line = {WithoutCarriageReturn(text), read.tooLong, read.ended, !pointsBegun_, number_};
        if (!pointsBegun_ && !IsCopied(line, LineFailure(line))) {
            pointsBegun_ = true;
        }
        return true;
    }

    // Once the first point has come, the complete lines in hand as one text (see
    // LineReader::NextRun), with the first one's number and how many they are; false when there
    // are none.
    bool NextRun(std::string_view& run, std::size_t most, long& first, long& count) {
        if (!pointsBegun_ || !reader_.NextRun(run, most)) {
            return false;
        }
        count = static_cast<long>(std::count(run.begin(), run.end(), '\n'));
        first = number_ + 1;
        number_ += count;
        return true;
    }

    int Error() const { return reader_.Error(); }

  private:
    LineReader reader_;
    long number_ = 0;
    bool pointsBegun_ = false;
};

// A line of a run as the reader hands it over: without its line end and carriage return, and
// passed over when it is too long.
InputLine RunLine(std::string_view text, long number) {
    const bool tooLong = text.size() > LineReader::kLongestLine;
    return {tooLong ? std::string_view() : WithoutCarriageReturn(text), tooLong, true, false,
            number};
}

// A pipe, a terminal or a socket may be another program or a person waiting for each answer;
// only a regular file is read ahead without answering.
bool AnswersBeforeEachRead(int descriptor) {
    return !IsRegularFile(descriptor);
}

} // namespace

// Lines copied out of the reader, and their answers once a worker has converted them. The texts
// are the lines one after another, each ended by "\n": runs of lines as they were read, and
// single lines already made into InputLines (the first lines of an input, and those the reader
// could not hand over in a run), which keep what the reader found out about them.
struct alignas(kCacheLine) BatchRun::Block {
    std::string texts;
    long firstNumber = 0;
    long count = 0;
    std::vector<std::pair<long, InputLine>> singles; // by index in the block; text not kept
    std::string name;                                // of the input
    std::string output;
    std::string messages;
    // For each line that failed: where its answer ends in output, and its message in messages.
    std::vector<std::pair<std::size_t, std::size_t>> failures;

    void AddRun(std::string_view run, long lines, long number) {
        Start(number);
        texts.append(run);
        count += lines;
    }
    void AddSingle(const InputLine& line) {
        Start(line.number);
        singles.emplace_back(count++, line);
        texts.append(line.text).push_back('\n');
    }
    // What the block holds, its single lines' records counted: blank lines before the first
    // point cost more than their texts.
    std::size_t Bytes() const { return texts.size() + singles.size() * sizeof(singles[0]); }
    // Empty again, keeping the memory: blocks are used over and over, so that the run does not
    // ask the system for fresh memory for every one.
    void Clear() {
        texts.clear();
        count = 0;
        singles.clear();
        output.clear();
        messages.clear();
        failures.clear();
    }
    void Answer(BatchLine& batchLine) {
        std::size_t start = 0;
        auto single = singles.begin();
        for (long i = 0; i < count; ++i) {
            const std::size_t end = texts.find('\n', start);
            const std::string_view text(texts.data() + start, end - start);
            start = end + 1;
            InputLine line;
            if (single != singles.end() && single->first == i) {
                line = single++->second;
                line.text = text;
            } else {
                line = RunLine(text, firstNumber + i);
            }
            if (AnswerLine(batchLine, line, name, output, messages)) {
                failures.emplace_back(output.size(), messages.size());
            }
        }
    }

  private:
    void Start(long number) {
        if (count == 0) {
            firstNumber = number;
        }
    }
};

// Converters for `count` jobs, each with a converter of its own: as many worker threads less
// one, and the run's own thread, which converts as it waits for the oldest block.
class BatchRun::Workers {
  public:
    Workers(const BatchSettings& settings, int count)
        : lines_(Converters(settings, count)), pool_(count - 1, [this](Block& block, int worker) {
              block.Answer(lines_[static_cast<std::size_t>(worker)].line);
          }) {}

    OrderedPool<Block>& Pool() { return pool_; }

    // Adds each converter's shifts to uses.
    void AddShiftUses(std::vector<long>& uses) const {
        for (const Converter& converter : lines_) {
            AddUses(converter.line, uses);
        }
    }

    static void AddUses(const BatchLine& line, std::vector<long>& uses) {
        if (const std::vector<long>* own = line.ShiftUses()) {
            uses.resize(own->size());
            for (std::size_t i = 0; i < own->size(); ++i) {
                uses[i] += (*own)[i];
            }
        }
    }

  private:
    struct alignas(kCacheLine) Converter {
        explicit Converter(const BatchSettings& settings) : line(settings) {}
        BatchLine line;
    };

    static std::vector<Converter> Converters(const BatchSettings& settings, int count) {
        std::vector<Converter> lines;
        lines.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            lines.emplace_back(settings);
        }
        return lines;
    }

    std::vector<Converter> lines_;
    OrderedPool<Block> pool_; // last: its threads stop before the converters go
};

BatchRun::BatchRun(const BatchSettings& settings, OutputWriter& output, std::ostream& messages,
                   int jobs, std::size_t blockBytes)
    : settings_(settings), line_(settings), output_(output), messages_(messages), jobs_(jobs),
      blockBytes_(std::max(blockBytes, std::size_t{1})) {}

BatchRun::~BatchRun() = default;

std::vector<long> BatchRun::ShiftUses() const {
    std::vector<long> uses;
    Workers::AddUses(line_, uses);
    if (workers_) {
        workers_->AddShiftUses(uses);
    }
    return uses;
}

void BatchRun::Convert(int descriptor, const std::string& name) {
    if (jobs_ > 1) {
        ConvertOnWorkers(descriptor, name);
    } else {
        ConvertHere(descriptor, name);
    }
}

void BatchRun::ReadFailed(int error, const std::string& name) {
    if (error != 0) {
        messages_ << "korvane-batch: cannot read " << name << ": " << std::strerror(error) << '\n';
        Raise(kWrongCommandLineOrUnreadableInput);
    }
}

void BatchRun::CannotOpen(const std::string& name, int error) {
    messages_ << "korvane-batch: cannot open " << name << ": " << std::strerror(error) << '\n';
    Raise(kWrongCommandLineOrUnreadableInput);
}

void BatchRun::InputIsOutput(const std::string& name) {
    messages_ << "korvane-batch: " << name << ": input file is output file\n";
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
    ReadFailed(lines.Error(), name);
}

void BatchRun::ConvertOnWorkers(int descriptor, const std::string& name) {
    if (!workers_) {
        workers_ = std::make_unique<Workers>(settings_, jobs_);
        const int started = workers_->Pool().StartedWorkers() + 1; // and this thread
        if (started < jobs_) {
            messages_ << "korvane-batch: only " << started << " of " << jobs_
                      << " jobs could be started (" << workers_->Pool().StartFailure().message()
                      << "); converting with " << started << '\n';
        }
    }
    // Enough blocks that every worker has the next one at hand while the oldest is written.
    const auto inFlight = static_cast<std::size_t>(2 * jobs_ + 1);
    auto block = SpareBlock();
    const auto handOver = [&] {
        if (block->count > 0) {
            block->name = name;
            workers_->Pool().Submit(std::move(block));
            block = SpareBlock();
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
    for (;;) {
        std::string_view run;
        long first = 0;
        long count = 0;
        InputLine line;
        if (lines.NextRun(run, blockBytes_ - std::min(blockBytes_, block->Bytes()), first, count)) {
            block->AddRun(run, count, first);
        } else if (lines.Next(line)) {
            block->AddSingle(line);
        } else {
            break;
        }
        if (block->Bytes() >= blockBytes_) {
            handOver();
            WriteBlocks(inFlight);
        }
    }
    handOver();
    WriteBlocks(1);
    ReadFailed(lines.Error(), name);
}

void BatchRun::WriteBlocks(std::size_t atMost) {
    OrderedPool<Block>& pool = workers_->Pool();
    for (;;) {
        std::unique_ptr<Block> done =
            pool.InFlight() >= atMost ? pool.TakeOldest() : pool.TakeOldestIfDone();
        if (!done) {
            return;
        }
        WriteBlock(*done);
        done->Clear();
        spares_.push_back(std::move(done));
    }
}

std::unique_ptr<BatchRun::Block> BatchRun::SpareBlock() {
    if (spares_.empty()) {
        return std::make_unique<Block>();
    }
    std::unique_ptr<Block> block = std::move(spares_.back());
    spares_.pop_back();
    return block;
}

void BatchRun::WriteBlock(const Block& block) {
    const std::string_view output = block.output;
    auto failure = block.failures.begin();
    std::size_t messagesWritten = 0;
    for (std::size_t written = 0; written < output.size();) {
        // Up to the end of the line whose answer fills the writer, where one job flushes.
        const std::size_t lineEnd = output.find('\n', written + output_.Room() - 1);
        const std::size_t end = lineEnd == std::string_view::npos ? output.size() : lineEnd + 1;
        for (; failure != block.failures.end() && failure->first <= end; ++failure) {
            messages_ << std::string_view(block.messages)
                             .substr(messagesWritten, failure->second - messagesWritten);
            messagesWritten = failure->second;
        }
        const std::string_view piece = output.substr(written, end - written);
        if (lineEnd != std::string_view::npos && output_.Buffer().empty()) {
            output_.WriteThrough(piece); // fills the writer by itself: one write, no copy
        } else {
            output_.Buffer().append(piece);
            output_.FlushWhenFull();
        }
        written = end;
    }
    if (!block.failures.empty()) {
        Raise(kSomeLinesFailed);
    }
}

} // namespace korvane
