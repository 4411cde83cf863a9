// korvane-batch: converts many points, one a line, with exactly the windows' results.

#include "batch/BatchRun.hpp"
#include "batch/CommandLine.hpp"
#include "batch/OutputWriter.hpp"
#include "batch/RunDatums.hpp"
#include "batch/SystemFiles.hpp"

#include <cerrno>
#include <iostream>
#include <new>
#include <string>
#include <vector>

using namespace korvane;

namespace {

constexpr int kStandardInput = 0;
constexpr int kStandardOutput = 1;

// An input that is the output file itself would be read on into its own answers for ever.
void ConvertUnlessOutput(BatchRun& run, int descriptor, const std::string& name) {
    if (SameRegularFile(descriptor, kStandardOutput)) {
        run.InputIsOutput(name);
        return;
    }
    run.Convert(descriptor, name);
}

// Once the run is over: which transformations PROJ's database gave the points, with their
// stated accuracy and how many points each shifted.
void SayShifts(const RunDatums& datums, const std::vector<long>& uses) {
    for (std::size_t i = 0; i < uses.size(); ++i) {
        if (uses[i] > 0) {
            std::cerr << "korvane-batch: " << uses[i] << (uses[i] == 1 ? " point" : " points")
                      << " shifted by " << datums.operations[i] << '\n';
        }
    }
}

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
    BatchRun run(commandLine.settings, output, std::cerr, commandLine.jobs);
    for (const std::string& input : commandLine.inputs) {
        if (input == "-") {
            ConvertUnlessOutput(run, kStandardInput, "standard input");
            continue;
        }
        // The answers so far go out first: opening a FIFO may wait for its writer.
        output.Flush();
        const int descriptor = OpenForReading(input);
        if (descriptor < 0) {
            run.CannotOpen(input, errno);
            continue;
        }
        ConvertUnlessOutput(run, descriptor, input);
        CloseDescriptor(descriptor);
    }
    output.Close();
    if (commandLine.settings.datums != nullptr && !commandLine.settings.quiet) {
        SayShifts(*commandLine.settings.datums, run.ShiftUses());
    }
    return run.Status();
}

} // namespace

int main(int argc, char** argv) {
    UseBinaryStandardStreams();
    ReportClosedPipesAsWriteFailures();
    std::vector<std::string> arguments = ProgramArguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    const CommandLineReading reading =
        ReadCommandLine(static_cast<int>(arguments.size()), pointers.data());
    if (!reading.failure.empty()) {
        std::cerr << "korvane-batch: " << reading.failure << '\n'
                  << UsageSynopsis() << "Try 'korvane-batch --help'.\n";
        return kWrongCommandLineOrUnreadableInput;
    }
    CommandLine commandLine = reading.commandLine;
    RunDatums datums;
    if (!commandLine.settings.positionDatum.empty()) {
        try {
            const BatchSettings& settings = commandLine.settings;
            datums =
                ResolveRunDatums(settings.positionDatum, settings.gridDatum,
                                 settings.direction == BatchDirection::ToUtm, settings.shiftAnyway);
        } catch (const RunDatumFailure& failure) {
            std::cerr << "korvane-batch: " << failure.what() << '\n';
            return kWrongCommandLineOrUnreadableInput;
        }
        commandLine.settings.datums = &datums;
        if (!commandLine.settings.quiet) {
            for (const std::string& note : datums.notes) {
                std::cerr << "korvane-batch: " << note << '\n';
            }
        }
    }
    OutputWriter output(kStandardOutput);
    try {
        return Run(commandLine, output);
    } catch (const OutputFailure& failure) {
        std::cerr << "korvane-batch: cannot write the output: " << failure.what() << '\n';
        return kOutputNotWritten;
    } catch (const std::bad_alloc&) {
        std::cerr << "korvane-batch: out of memory: the output is incomplete\n";
        return kOutputNotWritten;
    }
}
