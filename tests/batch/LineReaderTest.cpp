#include "batch/LineReader.hpp"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace korvane {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File FileHolding(const std::string& text) {
    File file(std::tmpfile(), &std::fclose);
    std::fwrite(text.data(), 1, text.size(), file.get());
    std::rewind(file.get());
    return file;
}

std::vector<std::string> LinesOf(std::FILE* file, int* error = nullptr) {
    LineReader reader(file);
    std::vector<std::string> lines;
    for (std::string_view line; reader.Next(line);) {
        lines.emplace_back(line);
    }
    if (error != nullptr) {
        *error = reader.Error();
    }
    return lines;
}

// Lines come out whole wherever the blocks of the file end: a line across a block's end, a line
// longer than a block, a last line without its line end, empty lines.
TEST(LineReader, GivesEveryLineWholeWhereverTheBlocksEnd) {
    const std::size_t block = std::size_t{1} << 20;
    const std::vector<std::string> lines = {
        std::string(block - 3, 'a'), "across the end of the first block", "",
        std::string(3 * block + 17, 'b'), "the last line has no line end"};
    std::string text;
    for (const auto& line : lines) {
        text += line + '\n';
    }
    text.pop_back();
    int error = -1;
    EXPECT_EQ(LinesOf(FileHolding(text).get(), &error), lines);
    EXPECT_EQ(error, 0);
}

TEST(LineReader, AnEmptyFileHasNoLines) {
    EXPECT_TRUE(LinesOf(FileHolding("").get()).empty());
    EXPECT_EQ(LinesOf(FileHolding("\n").get()), std::vector<std::string>{""});
}

// A folder opens like a file but cannot be read: that is an error, not an empty input.
TEST(LineReader, AReadErrorIsReportedNotTakenForTheEnd) {
    const File folder(std::fopen(std::filesystem::temp_directory_path().c_str(), "rb"),
                      &std::fclose);
    ASSERT_NE(folder, nullptr);
    int error = 0;
    EXPECT_TRUE(LinesOf(folder.get(), &error).empty());
    EXPECT_EQ(error, EISDIR);
}

} // namespace
} // namespace korvane
