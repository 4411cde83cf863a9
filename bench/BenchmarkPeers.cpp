// Korvane's conversions beside GeographicLib's, in one binary and one run, with the ratio of
// each pair printed at the end.

#include "commands/LatLongCommand.hpp"
#include "commands/ReadNumber.hpp"
#include "commands/UtmCommand.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/GridReference.hpp"
#include "geodesy/InverseProjection.hpp"
#include "support/FakeLatLongWindow.hpp"
#include "support/FakeUtmWindow.hpp"

#include <GeographicLib/GeoCoords.hpp>
#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/TransverseMercator.hpp>
#include <GeographicLib/Utility.hpp>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace korvane;

// Points spread over a zone's interior, so that no branch is always taken.
struct Point {
    double latitude, longitude;
};
const std::vector<Point>& Points() {
    static const std::vector<Point> points = [] {
        std::vector<Point> list;
        for (int i = 0; i < 1024; ++i) {
            list.push_back(
                {-79.5 + (i * 37 % 1024) * 163.0 / 1024, 0.1 + (i * 91 % 1024) * 5.8 / 1024});
        }
        return list;
    }();
    return points;
}

// The terms of the ellipsoid, built once as a run of points on it builds them.
const ForwardTerms& Wgs84Forward() {
    static const ForwardTerms terms(DatumForListPosition(0));
    return terms;
}
const InverseTerms& Wgs84Inverse() {
    static const InverseTerms terms(DatumForListPosition(0));
    return terms;
}

void ProjectToUtm_Korvane(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        const Point& p = Points()[i++ % Points().size()];
        benchmark::DoNotOptimize(
            ProjectToUtm({p.latitude, p.longitude},
                         p.latitude < 0 ? Hemisphere::South : Hemisphere::North, Wgs84Forward()));
    }
}

void ProjectToUtm_GeographicLib(benchmark::State& state) {
    const auto& utm = GeographicLib::TransverseMercator::UTM();
    std::size_t i = 0;
    for (auto _ : state) {
        const Point& p = Points()[i++ % Points().size()];
        double x = 0, y = 0;
        utm.Forward(3, p.latitude, p.longitude, x, y);
        benchmark::DoNotOptimize(x + 500000);
        benchmark::DoNotOptimize(p.latitude < 0 ? y + 10000000 : y);
    }
}

std::vector<UtmCoordinate> Grid() {
    std::vector<UtmCoordinate> grid;
    for (const Point& p : Points()) {
        grid.push_back(ProjectToUtm({p.latitude, p.longitude},
                                    p.latitude < 0 ? Hemisphere::South : Hemisphere::North,
                                    Wgs84Forward())
                           .utm);
    }
    return grid;
}

void ProjectFromUtm_Korvane(benchmark::State& state) {
    const auto grid = Grid();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ProjectFromUtm(grid[i++ % grid.size()], Wgs84Inverse()));
    }
}

void ProjectFromUtm_GeographicLib(benchmark::State& state) {
    const auto grid = Grid();
    const auto& utm = GeographicLib::TransverseMercator::UTM();
    std::size_t i = 0;
    for (auto _ : state) {
        const UtmCoordinate& c = grid[i++ % grid.size()];
        double latitude = 0, longitude = 0;
        const double y = c.hemisphere == Hemisphere::South ? c.northing - 10000000 : c.northing;
        utm.Reverse(3, c.easting - 500000, y, latitude, longitude);
        benchmark::DoNotOptimize(latitude);
        benchmark::DoNotOptimize(longitude);
    }
}

void GridReference_Korvane(benchmark::State& state) {
    const auto grid = Grid();
    std::size_t i = 0;
    for (auto _ : state) {
        const UtmCoordinate& c = grid[i++ % grid.size()];
        benchmark::DoNotOptimize(GridReference(c.zone, "T", c.easting, c.northing));
    }
}

void GridReference_GeographicLib(benchmark::State& state) {
    const auto grid = Grid();
    std::size_t i = 0;
    std::string mgrs;
    for (auto _ : state) {
        const UtmCoordinate& c = grid[i++ % grid.size()];
        GeographicLib::MGRS::Forward(c.zone, c.hemisphere == Hemisphere::North, c.easting,
                                     c.northing, 5, mgrs);
        benchmark::DoNotOptimize(mgrs);
    }
}

const char* const kNumbers[] = {"15", "52", "31.11", "1755352.105", "402336.0", "-44.0877772"};

void ReadNumber_Korvane(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadNumber(kNumbers[i++ % std::size(kNumbers)]));
    }
}

void ReadNumber_GeographicLib(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            GeographicLib::Utility::val<double>(kNumbers[i++ % std::size(kNumbers)]));
    }
}

void LatLongCommand_Korvane(benchmark::State& state) {
    FakeLatLongWindow window; // the window's design values
    for (auto _ : state) {
        RunLatLongCommand(window, {",", "."});
    }
}

void LatLongCommand_GeographicLib(benchmark::State& state) {
    for (auto _ : state) {
        const GeographicLib::GeoCoords point("15d52'31.11\"N 44d5'16.11\"E");
        benchmark::DoNotOptimize(point.UTMUPSRepresentation(2));
        benchmark::DoNotOptimize(point.MGRSRepresentation(0));
    }
}

void UtmCommand_Korvane(benchmark::State& state) {
    FakeUtmWindow window; // the window's design values
    for (auto _ : state) {
        RunUtmCommand(window, {",", "."});
    }
}

void UtmCommand_GeographicLib(benchmark::State& state) {
    for (auto _ : state) {
        const GeographicLib::GeoCoords point("38n 402336.0 1755352.105");
        benchmark::DoNotOptimize(point.DMSRepresentation(2));
        benchmark::DoNotOptimize(point.MGRSRepresentation(0));
    }
}

BENCHMARK(ProjectToUtm_Korvane);
BENCHMARK(ProjectToUtm_GeographicLib);
BENCHMARK(ProjectFromUtm_Korvane);
BENCHMARK(ProjectFromUtm_GeographicLib);
BENCHMARK(GridReference_Korvane);
BENCHMARK(GridReference_GeographicLib);
BENCHMARK(ReadNumber_Korvane);
BENCHMARK(ReadNumber_GeographicLib);
BENCHMARK(LatLongCommand_Korvane);
BENCHMARK(LatLongCommand_GeographicLib);
BENCHMARK(UtmCommand_Korvane);
BENCHMARK(UtmCommand_GeographicLib);

// Prints as usual and keeps each benchmark's time per call for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_None) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                nanoseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        std::printf("\n%-16s %14s %14s %8s\n", "operation", "Korvane ns", "GeographicLib ns",
                    "ratio");
        for (const auto& [name, ours] : nanoseconds_) {
            const auto split = name.find("_Korvane");
            if (split == std::string::npos) {
                continue;
            }
            const std::string operation = name.substr(0, split);
            const auto peer = nanoseconds_.find(operation + "_GeographicLib");
            if (peer != nanoseconds_.end()) {
                std::printf("%-16s %14.1f %14.1f %8.2f\n", operation.c_str(), ours, peer->second,
                            peer->second / ours);
            }
        }
        std::printf("(ratio: GeographicLib's time per call over Korvane's; above 1, Korvane is "
                    "faster)\n");
    }

  private:
    std::map<std::string, double> nanoseconds_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
