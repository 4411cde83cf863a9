#include "Cs2cs.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace korvane {

namespace {

std::string Cs2csOnPath() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/cs2cs";
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    throw std::runtime_error("cs2cs is not on the PATH: install Debian's proj-bin");
}

} // namespace

std::vector<std::optional<GeodeticPosition>>
Cs2csShift(const std::string& from, const std::string& to,
           std::span<const GeodeticPosition> positions) {
    char input[] = "/tmp/korvane-cs2cs-XXXXXX";
    const int descriptor = mkstemp(input);
    if (descriptor < 0) {
        throw std::runtime_error("no temporary file for cs2cs's input");
    }
    close(descriptor);
    {
        std::ofstream points(input);
        points.precision(17);
        for (const GeodeticPosition& position : positions) {
            points << position.latitude << ' ' << position.longitude << '\n';
        }
    }
    // The codes and the file name hold no quote.
    const std::string command = "PROJ_NETWORK=OFF '" + Cs2csOnPath() + "' -f %.12f '" + from +
                                "' '" + to + "' '" + input + "'";
    FILE* output = popen(command.c_str(), "r");
    std::vector<std::optional<GeodeticPosition>> shifted;
    char line[256];
    while (output != nullptr && std::fgets(line, sizeof line, output) != nullptr) {
        char* end = nullptr;
        const double latitude = std::strtod(line, &end);
        if (end == line) {
            shifted.emplace_back(); // "*	*": not shifted
            continue;
        }
        shifted.push_back(GeodeticPosition{latitude, std::strtod(end, nullptr)});
    }
    const int status = output != nullptr ? pclose(output) : -1;
    std::remove(input);
    if (status != 0 || shifted.size() != positions.size()) {
        throw std::runtime_error("cs2cs " + from + " " + to + " answered " +
                                 std::to_string(shifted.size()) + " of " +
                                 std::to_string(positions.size()) + " positions");
    }
    return shifted;
}

double MetresApart(const GeodeticPosition& a, const GeodeticPosition& b) {
    constexpr double kMetresPerDegree = 6378137 * std::numbers::pi / 180;
    const double north = (a.latitude - b.latitude) * kMetresPerDegree;
    const double east = std::remainder(a.longitude - b.longitude, 360) * kMetresPerDegree *
                        std::cos(a.latitude * std::numbers::pi / 180);
    return std::hypot(north, east);
}

} // namespace korvane
