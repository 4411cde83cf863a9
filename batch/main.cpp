// korvane-batch: converts many points, one a line, with exactly the windows' results.

#include "batch/BatchRun.hpp"
#include "batch/CommandLine.hpp"
#include "batch/OutputWriter.hpp"

#include <cerrno>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

using namespace korvane;

namespace {

int Run(const CommandLine& commandLine, OutputWriter& output) {
    if (commandLine.action == CommandLine::Action::Help) {
        output.Buffer() = UsageText();
        output.Close();
        return kAllConverted;
    }
    if (commandLine.action == CommandLine::Action::Version) {
        output.Buffer() = "korvane-batch " KORVANE_VERSION "\n";
        output.Close();
        return kAllConverted;
    }
    BatchRun run(commandLine.settings, output, std::cerr);
    for (const std::string& input : commandLine.inputs) {
        if (input == "-") {
            run.Convert(STDIN_FILENO, "standard input");
            continue;
        }
        const int descriptor = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) {
            run.CannotOpen(input, errno);
            continue;
        }
        run.Convert(descriptor, input);
        ::close(descriptor);
    }
    output.Close();
    return run.Status();
}

} // namespace

int main(int argc, char** argv) {
    const CommandLineReading reading = ReadCommandLine(argc, argv);
    if (!reading.failure.empty()) {
        std::cerr << "korvane-batch: " << reading.failure << '\n'
                  << UsageSynopsis() << "Try 'korvane-batch --help'.\n";
        return kWrongCommandLineOrUnreadableInput;
    }
    OutputWriter output(STDOUT_FILENO);
    try {
        return Run(reading.commandLine, output);
    } catch (const OutputFailure& failure) {
        std::cerr << "korvane-batch: cannot write the output: " << failure.what() << '\n';
        return kOutputNotWritten;
    }
}
