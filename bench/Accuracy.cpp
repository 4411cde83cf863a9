// How far Korvane's truncated series lie from the exact transverse Mercator projection
// (GeographicLib's TransverseMercatorExact): the largest forward error in metres and the largest
// inverse error in seconds of arc, by distance from the central meridian and by latitude.
//
// Usage: korvane-accuracy [--step DEGREES] [--zones N] DIRECTORY
// Writes gnuplot data files to DIRECTORY and Markdown tables to standard output.

#include "geodesy/DatumTable.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/InverseProjection.hpp"

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace korvane;

constexpr double kMaxOffset = 9;   // degrees from the central meridian, three beyond the edge
constexpr double kOffsetBin = 0.5; // degrees
constexpr double kLatitudeBin = 8; // degrees, the width of a latitude band
constexpr double kSouthmost = -80;
constexpr double kNorthmost = 84;

const char* const kEllipsoids[] = {"WGS 84", "Clarke 1866", "International 1924", "Everest 1830"};

struct Worst {
    std::vector<double> byOffset;   // bins of |offset|
    std::vector<double> byLatitude; // bins of latitude, inside the zone only
};

struct Study {
    Worst forward; // metres
    Worst inverse; // seconds of arc
};

int OffsetBins() {
    return static_cast<int>(kMaxOffset / kOffsetBin);
}
int LatitudeBins() {
    return static_cast<int>(std::ceil((kNorthmost - kSouthmost) / kLatitudeBin));
}

const DatumEntry& Datum(const std::string& name) {
    const auto position = ListPositionOf(name);
    if (!position) {
        throw std::runtime_error("no datum " + name);
    }
    return ListedDatums()[static_cast<std::size_t>(*position)];
}

void Note(Worst& worst, double offset, double latitude, double error) {
    const auto offsetBin = static_cast<std::size_t>(
        std::min(static_cast<int>(std::fabs(offset) / kOffsetBin), OffsetBins() - 1));
    worst.byOffset[offsetBin] = std::max(worst.byOffset[offsetBin], error);
    if (std::fabs(offset) <= 3) {
        const auto latitudeBin = static_cast<std::size_t>(
            std::min(static_cast<int>((latitude - kSouthmost) / kLatitudeBin), LatitudeBins() - 1));
        worst.byLatitude[latitudeBin] = std::max(worst.byLatitude[latitudeBin], error);
    }
}

Study Measure(const DatumEntry& datum, double step, int zones) {
    const double flattening = (datum.a - datum.b) / datum.a;
    const GeographicLib::TransverseMercatorExact exact(datum.a, flattening, kScaleFactor);
    const ForwardTerms forward(datum);
    const InverseTerms inverse(datum);
    Study study;
    for (Worst* worst : {&study.forward, &study.inverse}) {
        worst->byOffset.assign(static_cast<std::size_t>(OffsetBins()), 0);
        worst->byLatitude.assign(static_cast<std::size_t>(LatitudeBins()), 0);
    }
    for (int zone = 1; zone <= 60; zone += std::max(1, 60 / zones)) {
        const auto zoneAndMeridian = ZoneAndMeridian{
            static_cast<std::int16_t>(zone), CentralMeridian(static_cast<std::int16_t>(zone))};
        const double centralMeridian = zoneAndMeridian.centralMeridian;
        for (double offset = -kMaxOffset; offset <= kMaxOffset; offset += step) {
            for (double latitude = kSouthmost; latitude <= kNorthmost; latitude += step) {
                const double longitude = centralMeridian + offset;
                const auto hemisphere = latitude < 0 ? Hemisphere::South : Hemisphere::North;
                double x = 0, y = 0;
                exact.Forward(centralMeridian, latitude, longitude, x, y);
                const double easting = x + kFalseEasting;
                const double northing = hemisphere == Hemisphere::South ? y + kFalseNorthing : y;

                const auto ours =
                    ProjectToUtmZone({latitude, longitude}, hemisphere, forward, zoneAndMeridian)
                        .utm;
                Note(study.forward, offset, latitude,
                     std::hypot(ours.easting - easting, ours.northing - northing));

                const auto back = ProjectFromUtm(
                    {static_cast<std::int16_t>(zone), hemisphere, easting, northing}, inverse);
                const double seconds = 3600 * std::max(std::fabs(back.latitude - latitude),
                                                       std::fabs(back.longitude - longitude));
                Note(study.inverse, offset, latitude, seconds);
            }
        }
    }
    return study;
}

void WriteData(const std::string& path, const std::vector<Study>& studies, bool forward,
               bool byOffset) {
    std::ofstream out(path);
    out << "bin";
    for (const char* name : kEllipsoids) {
        out << "\t\"" << name << '"';
    }
    out << '\n';
    const int bins = byOffset ? OffsetBins() : LatitudeBins();
    for (int bin = 0; bin < bins; ++bin) {
        out << (byOffset ? (bin + 0.5) * kOffsetBin : kSouthmost + (bin + 0.5) * kLatitudeBin);
        for (const Study& study : studies) {
            const Worst& worst = forward ? study.forward : study.inverse;
            out << '\t'
                << (byOffset ? worst.byOffset : worst.byLatitude)[static_cast<std::size_t>(bin)];
        }
        out << '\n';
    }
}

void PrintTable(const std::vector<Study>& studies, bool forward, bool byOffset) {
    std::printf("| %s |", byOffset ? "Degrees from the central meridian" : "Latitude");
    for (const char* name : kEllipsoids) {
        std::printf(" %s |", name);
    }
    std::printf("\n|---|");
    for (std::size_t i = 0; i < std::size(kEllipsoids); ++i) {
        std::printf("---:|");
    }
    std::printf("\n");
    const int bins = byOffset ? OffsetBins() : LatitudeBins();
    for (int bin = 0; bin < bins; ++bin) {
        if (byOffset) {
            std::printf("| %.1f to %.1f |", bin * kOffsetBin, (bin + 1) * kOffsetBin);
        } else {
            std::printf("| %.0f to %.0f |", kSouthmost + bin * kLatitudeBin,
                        std::min(kNorthmost, kSouthmost + (bin + 1) * kLatitudeBin));
        }
        for (const Study& study : studies) {
            const Worst& worst = forward ? study.forward : study.inverse;
            std::printf(
                forward ? " %.3f |" : " %.5f |",
                (byOffset ? worst.byOffset : worst.byLatitude)[static_cast<std::size_t>(bin)]);
        }
        std::printf("\n");
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    double step = 0.25;
    int zones = 60;
    std::string directory;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--step" && i + 1 < argc) {
            step = std::stod(argv[++i]);
        } else if (argument == "--zones" && i + 1 < argc) {
            zones = std::stoi(argv[++i]);
        } else {
            directory = argument;
        }
    }
    if (directory.empty() || step <= 0 || zones < 1) {
        std::fprintf(stderr, "usage: korvane-accuracy [--step DEGREES] [--zones N] DIRECTORY\n");
        return 2;
    }
    std::vector<Study> studies;
    for (const char* name : kEllipsoids) {
        studies.push_back(Measure(Datum(name), step, zones));
    }
    WriteData(directory + "/forward-by-offset.dat", studies, true, true);
    WriteData(directory + "/forward-by-latitude.dat", studies, true, false);
    WriteData(directory + "/inverse-by-offset.dat", studies, false, true);
    WriteData(directory + "/inverse-by-latitude.dat", studies, false, false);

    std::printf("### Forward: largest error in metres, by distance from the central meridian\n\n");
    PrintTable(studies, true, true);
    std::printf("### Forward: largest error in metres inside the zone, by latitude\n\n");
    PrintTable(studies, true, false);
    std::printf("### Inverse: largest error in seconds of arc, by distance from the central "
                "meridian\n\n");
    PrintTable(studies, false, true);
    std::printf("### Inverse: largest error in seconds of arc inside the zone, by latitude\n\n");
    PrintTable(studies, false, false);
    return 0;
}
