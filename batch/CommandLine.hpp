#pragma once

#include "batch/BatchSettings.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

struct CommandLine {
    enum class Action { Convert, Help, Version };
    Action action = Action::Convert;
    BatchSettings settings;
    int jobs = 1; // threads converting: the machine's cores unless --jobs says otherwise
    std::vector<std::string> inputs; // in order; "-" is standard input, and so is no input at all
};

struct CommandLineReading {
    CommandLine commandLine;
    std::string failure; // empty when read; otherwise what is wrong with it
};

// Reads korvane-batch's arguments: the direction, options anywhere (--opt=value or --opt value,
// unique abbreviations), "--" ending the options, then the inputs.
CommandLineReading ReadCommandLine(int argc, char** argv);

// The text of --help, with the ellipsoids' names.
std::string UsageText();
// Its first lines, the two ways to call the program, for a wrong command line.
std::string_view UsageSynopsis();

} // namespace korvane
