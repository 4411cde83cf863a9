#include "report/StartProgram.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>
extern char** environ;
#endif

namespace korvane {

#ifdef _WIN32

bool StartProgram(const std::string& program, const std::string& argument) {
    std::string commandLine = program + " " + argument;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

#else

bool StartProgram(const std::string& program, const std::string& argument) {
    std::vector<char*> arguments{const_cast<char*>(program.c_str()),
                                 const_cast<char*>(argument.c_str()), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, arguments.data(), environ) != 0) {
        return false;
    }
    // Reap the viewer whenever it ends, so that it never lingers as a zombie; nobody waits.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return true;
}

#endif

} // namespace korvane
