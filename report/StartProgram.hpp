#pragma once

#include <string>

namespace korvane {

// Starts program with one argument in a normal window with the focus and does not wait for
// it. Answers whether the program could be started.
bool StartProgram(const std::string& program, const std::string& argument);

} // namespace korvane
