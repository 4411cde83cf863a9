#include "batch/LineReader.hpp"

#include "support/FileHolding.hpp"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace korvane {
namespace {

struct ReadLine {
    std::string text;
    bool tooLong;
    bool ended;
    bool operator==(const ReadLine&) const = default;
};

std::vector<ReadLine> LinesOf(int descriptor, int* error = nullptr) {
    LineReader reader(descriptor);
    std::vector<ReadLine> lines;
    for (LineReader::Line line; reader.Next(line);) {
        lines.push_back({std::string(line.text), line.tooLong, line.ended});
    }
    if (error != nullptr) {
        *error = reader.Error();
    }
    return lines;
}

// Lines come out whole wherever the blocks of the file end: a line across a block's end, a
// line as long as allowed, empty lines, and a last line without its line end.
TEST(LineReader, GivesEveryLineWholeWhereverTheBlocksEnd) {
    const std::size_t block = std::size_t{1} << 20;
    const std::vector<ReadLine> lines = {{std::string(block - 3, 'a'), false, true},
                                         {"across the end of the first block", false, true},
                                         {"", false, true},
                                         {std::string(LineReader::kLongestLine, 'b'), false, true},
                                         {"the last line has no line end", false, false}};
    std::string text;
    for (const auto& line : lines) {
        text += line.text + (line.ended ? "\n" : "");
    }
    int error = -1;
    EXPECT_EQ(LinesOf(FileHolding(text).Descriptor(), &error), lines);
    EXPECT_EQ(error, 0);
}

// A line too long to hold is answered as such, without its bytes, and memory stays fixed.
TEST(LineReader, PassesOverALineLongerThanTheLimit) {
    const std::string longLine(3 * LineReader::kLongestLine + 5, 'x');
    const std::string text = "before\n" + longLine + "\nafter\n" + longLine;
    const std::vector<ReadLine> expected = {
        {"before", false, true}, {"", true, true}, {"after", false, true}, {"", true, false}};
    EXPECT_EQ(LinesOf(FileHolding(text).Descriptor()), expected);
}

TEST(LineReader, AnEmptyInputHasNoLines) {
    EXPECT_TRUE(LinesOf(FileHolding("").Descriptor()).empty());
    const std::vector<ReadLine> one = {{"", false, true}};
    EXPECT_EQ(LinesOf(FileHolding("\n").Descriptor()), one);
}

#ifndef _WIN32
// A folder opens like a file but cannot be read: that is an error, not an empty input.
TEST(LineReader, AReadErrorIsReportedNotTakenForTheEnd) {
    const int folder = ::open(std::filesystem::temp_directory_path().c_str(), O_RDONLY);
    ASSERT_GE(folder, 0);
    int error = 0;
    EXPECT_TRUE(LinesOf(folder, &error).empty());
    EXPECT_EQ(error, EISDIR);
    ::close(folder);
}

// From a pipe, each line is handed out as soon as it is complete, and the reader says before
// it waits for more: the writer's next line depends on the answer to this one.
TEST(LineReader, AnswersAPipeLineByLine) {
    int toReader[2];
    int answers[2];
    ASSERT_EQ(::pipe(toReader), 0);
    ASSERT_EQ(::pipe(answers), 0);
    std::thread writer([&] {
        for (int i = 0; i < 3; ++i) {
            const std::string line = "line " + std::to_string(i) + "\n";
            ASSERT_EQ(::write(toReader[1], line.data(), line.size()),
                      static_cast<ssize_t>(line.size()));
            char answer = 0;
            ASSERT_EQ(::read(answers[0], &answer, 1), 1); // waits for the reader's answer
        }
        ::close(toReader[1]);
    });
    int waits = 0;
    LineReader reader(toReader[0], [&] { ++waits; });
    std::vector<std::string> lines;
    for (LineReader::Line line; reader.Next(line);) {
        lines.emplace_back(line.text);
        ASSERT_EQ(::write(answers[1], "!", 1), 1);
    }
    writer.join();
    EXPECT_EQ(lines, (std::vector<std::string>{"line 0", "line 1", "line 2"}));
    EXPECT_GE(waits, 4); // before each line and before the end
    for (const int descriptor : {toReader[0], answers[0], answers[1]}) {
        ::close(descriptor);
    }
}
#endif

} // namespace
} // namespace korvane
