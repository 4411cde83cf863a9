// korvane-batch: converts many points, one a line, with exactly the windows' results.

#include "batch/BatchLine.hpp"
#include "batch/LineReader.hpp"
#include "geodesy/DatumTable.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using korvane::BatchDirection;

constexpr const char* kUsage = R"(Usage: korvane-batch to-utm [--datum NAME] [FILE...]
       korvane-batch to-latlong [--datum NAME] [FILE...]

Converts one point a line, with exactly the results of Korvane's windows. Reads the FILEs
in turn, or standard input when there is none, and writes one line to standard output for
every input line, in input order. Fields are separated by a tab or a comma.

to-utm takes either the Lat/Long window's eight inputs
    latitude degrees, minutes, seconds, N or S, longitude degrees, minutes, seconds, E or W
or two signed decimal degrees (latitude, longitude; a leading "-" means S or W), and writes
    zone, band letter, central meridian, northing, easting, military grid reference
with northing and easting to two decimals.

to-latlong takes the UTM window's inputs
    northing, easting, zone, N or S
and writes the latitude's degrees, minutes, seconds and letter, the longitude's degrees,
minutes, seconds and letter, the military grid reference, and then the latitude and the
longitude in signed decimal degrees with nine decimals.

Every box is read as the window reads it: blanks are ignored and text that is not a number
reads as 0. A line that cannot be converted gives "Error", a tab and the reason, and a
message on standard error naming its line number; the run goes on. The exit status is 1
when any line failed, 0 otherwise, and 2 for a wrong command line.

Options:
    --datum NAME   the ellipsoid, named as in the windows' datum list (default "WGS 84")
    --help         this text
)";

std::string DatumNames() {
    std::string names;
    for (const auto& datum : korvane::ListedDatums()) {
        names += "\n    " + std::string(datum.listName);
    }
    return names;
}

std::optional<int> DatumPosition(const std::string& name) {
    const auto datums = korvane::ListedDatums();
    for (std::size_t position = 0; position < datums.size(); ++position) {
        if (datums[position].listName == name) {
            return static_cast<int>(position);
        }
    }
    return std::nullopt;
}

int CannotRead(const std::string& source, int error) {
    std::cerr << "korvane-batch: cannot read " << source << ": " << std::strerror(error) << '\n';
    return 2;
}

int UsageError(const std::string& message) {
    std::cerr << "korvane-batch: " << message << "\nTry 'korvane-batch --help'.\n";
    return 2;
}

class Converter {
  public:
    Converter(BatchDirection direction, int datumPosition)
        : direction_(direction), datumPosition_(datumPosition) {}

    // Converts every line of file; gives the errno of a read error, or 0.
    int Convert(std::FILE* file, const std::string& source) {
        korvane::LineReader reader(file);
        long lineNumber = 0;
        for (std::string_view line; reader.Next(line);) {
            ++lineNumber;
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            const std::string failure =
                korvane::ConvertBatchLine(direction_, line, datumPosition_, output_);
            if (!failure.empty()) {
                output_.append("Error\t").append(failure);
                std::cerr << "korvane-batch: " << source << " line " << lineNumber << ": "
                          << failure << '\n';
                anyFailed_ = true;
            }
            output_ += '\n';
            if (output_.size() > (1 << 16)) {
                Flush();
            }
        }
        Flush();
        return reader.Error();
    }

    bool AnyFailed() const { return anyFailed_; }

  private:
    void Flush() {
        std::fwrite(output_.data(), 1, output_.size(), stdout);
        output_.clear();
    }

    BatchDirection direction_;
    int datumPosition_;
    bool anyFailed_ = false;
    std::string output_;
};

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    for (const auto& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
    }
    if (arguments.empty()) {
        return UsageError("say to-utm or to-latlong");
    }
    BatchDirection direction{};
    if (arguments[0] == "to-utm") {
        direction = BatchDirection::ToUtm;
    } else if (arguments[0] == "to-latlong") {
        direction = BatchDirection::ToLatLong;
    } else {
        return UsageError("unknown direction '" + arguments[0] + "': say to-utm or to-latlong");
    }
    std::string datumName = "WGS 84";
    std::vector<std::string> files;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--datum") {
            if (i + 1 == arguments.size()) {
                return UsageError("--datum needs a name");
            }
            datumName = arguments[++i];
        } else if (arguments[i].rfind("--", 0) == 0 && arguments[i] != "--") {
            return UsageError("unknown option '" + arguments[i] + "'");
        } else {
            files.push_back(arguments[i]);
        }
    }
    const auto datumPosition = DatumPosition(datumName);
    if (!datumPosition) {
        std::cerr << "korvane-batch: unknown datum '" << datumName
                  << "'. The datums are:" << DatumNames() << '\n';
        return 2;
    }

    Converter converter(direction, *datumPosition);
    if (files.empty()) {
        if (const int error = converter.Convert(stdin, "standard input")) {
            return CannotRead("standard input", error);
        }
    }
    for (const auto& file : files) {
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> input(std::fopen(file.c_str(), "rb"),
                                                                    &std::fclose);
        if (!input) {
            return CannotRead(file, errno);
        }
        if (const int error = converter.Convert(input.get(), file)) {
            return CannotRead(file, error);
        }
    }
    std::fflush(stdout);
    return converter.AnyFailed() ? 1 : 0;
}
