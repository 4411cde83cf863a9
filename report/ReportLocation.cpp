#include "report/ReportLocation.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace korvane {

#ifdef _WIN32

std::string DefaultReportPath() {
    return "C:\\Datum.txt";
}

#else

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// XDG_DOCUMENTS_DIR of the user's user-dirs.dirs, with $HOME expanded; empty when not set.
std::string XdgDocumentsFolder(const std::string& home) {
    const std::string configHome = Environment("XDG_CONFIG_HOME");
    const std::string config =
        (configHome.empty() ? home + "/.config" : configHome) + "/user-dirs.dirs";
    std::ifstream file(config);
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    for (std::string line; std::getline(file, line);) {
        if (line.rfind(key, 0) != 0 || line.back() != '"') {
            continue;
        }
        std::string folder = line.substr(key.size(), line.size() - key.size() - 1);
        if (folder.rfind("$HOME", 0) == 0) {
            folder = home + folder.substr(5);
        }
        return folder;
    }
    return "";
}

} // namespace

std::string DefaultReportPath() {
    const std::string home = Environment("HOME");
    std::error_code ignored;
    for (const std::string& folder : {XdgDocumentsFolder(home), home + "/Documents"}) {
        if (!home.empty() && !folder.empty() && folder != home &&
            std::filesystem::is_directory(folder, ignored)) {
            return folder + "/Datum.txt";
        }
    }
    return (home.empty() ? std::string(".") : home) + "/Datum.txt";
}

#endif

} // namespace korvane
