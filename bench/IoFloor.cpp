// korvane-io-floor: what korvane-batch's reading and writing alone cost. Reads the lines of a
// file as korvane-batch does, splits each into its fields, and writes for each a line of the
// given length, converting nothing; the benchmark reports the converter's time as a multiple of
// this one's.
// Usage: korvane-io-floor LINE_LENGTH FILE

#include "batch/FieldSplitter.hpp"
#include "batch/LineReader.hpp"
#include "batch/OutputWriter.hpp"
#include "batch/SystemFiles.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    using namespace korvane;
    if (argc != 3) {
        std::fputs("Usage: korvane-io-floor LINE_LENGTH FILE\n", stderr);
        return 2;
    }
    const auto length = static_cast<std::size_t>(std::strtoul(argv[1], nullptr, 10));
    const int input = OpenForReading(argv[2]);
    if (input < 0 || length == 0) {
        std::perror(argv[2]);
        return 2;
    }
    const std::string answer = std::string(length - 1, 'x') + '\n';
    OutputWriter output(1);
    FieldSplitter splitter;
    std::size_t fields = 0;
    LineReader reader(input);
    try {
        for (LineReader::Line line; reader.Next(line);) {
            if (splitter.Split(line.text).empty()) {
                fields += splitter.Fields().size();
            }
            output.Buffer().append(answer);
            output.FlushWhenFull();
        }
        output.Close();
    } catch (const OutputFailure& failure) {
        std::fprintf(stderr, "korvane-io-floor: %s\n", failure.what());
        return 3;
    }
    CloseDescriptor(input);
    return fields > 0 && reader.Error() == 0 ? 0 : 1;
}
