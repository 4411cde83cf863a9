#include "batch/BatchRun.hpp"

#include "batch/LineReader.hpp"
#include "support/BatchRunOutcome.hpp"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>

namespace korvane {
namespace {

BatchSettings Settings(BatchDirection direction) {
    BatchSettings settings;
    settings.direction = direction;
    return settings;
}

// Points, failures, a header, comments, blank lines, a line too long to hold, a byte order mark
// and a last line without its line end, many times over so that blocks of every size cut them at
// every place.
std::string MixedInput(BatchDirection direction) {
    const bool toUtm = direction == BatchDirection::ToUtm;
    std::string input = "\xEF\xBB\xBF# a comment\n\n";
    input += toUtm ? "lat,lon\n" : "northing,easting,zone,hemisphere\n";
    for (int i = 0; i < 300; ++i) {
        const std::string n = std::to_string(i);
        input += toUtm ? "-33." + n + ",151." + n + "\r\n" : "1755352." + n + ",402336,38,N\n";
        input += i % 7 == 0 ? "not a point\n" : "";
        input += i % 11 == 0 ? "#" + n + "\n\n" : "";
        input += i % 13 == 0 ? std::string("1,2,\x01\n") : "";
        input += i == 150 ? std::string(LineReader::kLongestLine + 10, '7') + "\n" : "";
    }
    return input + (toUtm ? "45,3" : "4982950.40,500000,31,N"); // no line end: an Error
}

// Every number of jobs and every block size gives the bytes that one job gives, messages and
// exit status included.
TEST(BatchRun, AnyNumberOfJobsGivesTheSameBytes) {
    for (const BatchDirection direction : {BatchDirection::ToUtm, BatchDirection::ToLatLong}) {
        const BatchSettings settings = Settings(direction);
        const std::string input = MixedInput(direction);
        const BatchRunOutcome alone = RunBatch(settings, input, 1, BatchRun::kBlockBytes);
        ASSERT_EQ(alone.status, kSomeLinesFailed);
        for (const int jobs : {2, 3, 8}) {
            for (const std::size_t blockBytes :
                 {std::size_t{1}, std::size_t{2}, std::size_t{7}, std::size_t{64},
                  std::size_t{1000}, BatchRun::kBlockBytes}) {
                SCOPED_TRACE(testing::Message()
                             << jobs << " jobs, blocks of " << blockBytes << " bytes");
                EXPECT_EQ(RunBatch(settings, input, jobs, blockBytes), alone);
            }
        }
    }
}

TEST(BatchRun, AHeaderIsOnlyTheFirstLineWithNamesWhateverTheJobs) {
    const BatchSettings settings = Settings(BatchDirection::ToUtm);
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"lat,lon\n45,3\n", "zone\tband\tcentral_meridian\tnorthing\teasting\tgrid_reference\n31\tT\t3\t4982950.40\t500000.00\t31 T   EK  00000  82950\n"},
        {"# c\n\nlat,lon\n", "# c\n\nzone\tband\tcentral_meridian\tnorthing\teasting\tgrid_reference\n"},
        {"45,3\nlat,lon\n", "31\tT\t3\t4982950.40\t500000.00\t31 T   EK  00000  82950\nError\t"},
    };
    // clang-format on
    for (const auto& [input, answer] : cases) {
        for (const int jobs : {1, 2}) {
            const BatchRunOutcome result = RunBatch(settings, input, jobs, 1);
            EXPECT_EQ(result.output.substr(0, std::string_view(answer).size()), answer)
                << input << " with " << jobs << " jobs";
        }
    }
}

#ifndef _WIN32
// From a pipe, each line is answered before the run waits for the next, with several jobs as
// with one: a program on the other end may wait for each answer before it writes on.
TEST(BatchRun, AnswersAPipeLineByLineWithSeveralJobs) {
    int toRun[2];
    int fromRun[2];
    ASSERT_EQ(::pipe(toRun), 0);
    ASSERT_EQ(::pipe(fromRun), 0);
    const BatchSettings settings = Settings(BatchDirection::ToUtm);
    std::thread converter([&] {
        std::ostringstream messages;
        OutputWriter writer(fromRun[1]);
        BatchRun run(settings, writer, messages, 2);
        run.Convert(toRun[0], "pipe");
        writer.Close();
    });
    const auto answerTo = [&](const std::string& line) {
        EXPECT_EQ(::write(toRun[1], line.data(), line.size()), static_cast<long>(line.size()));
        std::string answer;
        char c = 0;
        while (::read(fromRun[0], &c, 1) == 1 && c != '\n') {
            answer += c;
        }
        return answer;
    };
    EXPECT_EQ(answerTo("45,3\n"), "31\tT\t3\t4982950.40\t500000.00\t31 T   EK  00000  82950");
    EXPECT_EQ(answerTo("x\n").substr(0, 6), "Error\t");
    // A line that comes in pieces is answered once it is whole.
    EXPECT_EQ(::write(toRun[1], "-33.86,", 7), 7);
    EXPECT_EQ(answerTo("151.21\n"), "56\tH\t153\t6251925.36\t334416.39\t56 H   LH  34416  51925");
    ::close(toRun[1]);
    converter.join();
    ::close(toRun[0]);
    ::close(fromRun[0]);
}
#endif

} // namespace
} // namespace korvane
