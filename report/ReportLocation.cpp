#include "report/ReportLocation.hpp"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace korvane {

#ifdef _WIN32

std::string DefaultReportPath() {
    return "C:\\Datum.txt";
}

#else

namespace {

// An absolute path from the environment, or nothing: a relative one would depend on the folder
// the program happens to be started in, which the XDG rules say to ignore.
std::filesystem::path AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    const std::filesystem::path path = value != nullptr ? value : "";
    return path.is_absolute() ? path : std::filesystem::path();
}

// Makes the folder and those above it that are missing, private to the user as the XDG rules
// ask; answers whether the folder is there.
bool MakeFolder(const std::filesystem::path& folder) {
    std::filesystem::path made;
    for (const auto& part : folder) {
        made /= part;
        ::mkdir(made.c_str(), 0700); // one that exists already is fine
    }
    std::error_code error;
    return std::filesystem::is_directory(folder, error);
}

} // namespace

// The program's own data folder rather than a fixed path at the top of the disk: a report there
// could overwrite a file of the user's of the same name, and needs rights a user lacks.
std::string DefaultReportPath() {
    std::filesystem::path data = AbsoluteFromEnvironment("XDG_DATA_HOME");
    if (data.empty()) {
        const std::filesystem::path home = AbsoluteFromEnvironment("HOME");
        if (home.empty()) {
            return {};
        }
        data = home / ".local" / "share";
    }
    const std::filesystem::path folder = data / "korvane";
    return MakeFolder(folder) ? (folder / "Datum.txt").string() : std::string();
}

#endif

} // namespace korvane
