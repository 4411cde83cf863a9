// The datum shift's cost per point beside PROJ's own proj_trans on the same transformations (what
// cs2cs does for each point), one point a call, and PROJ's proj_trans_generic over a block.

#include "datumshift/DatumShift.hpp"
#include "datumshift/ProjContext.hpp"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

using namespace korvane;

// Points over western Europe, where the transformations from WGS 84 to ED50 change from country
// to country, so that no candidate is always the one chosen.
const std::vector<GeodeticPosition>& Points() {
    static const std::vector<GeodeticPosition> points = [] {
        std::vector<GeodeticPosition> list;
        for (int i = 0; i < 1024; ++i) {
            list.push_back(
                {36.5 + (i * 37 % 1024) * 23.0 / 1024, -8.5 + (i * 91 % 1024) * 30.0 / 1024});
        }
        return list;
    }();
    return points;
}

void Shift_Korvane(benchmark::State& state) {
    DatumShift shift(ResolveDatum("WGS 84"), ResolveDatum("ED50"));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(shift.Shift(Points()[i++ % Points().size()]));
    }
}

// PROJ's set of transformations for the pair, as cs2cs makes it, in longitude-latitude order, in
// a context like the datum shift's own (network off).
struct ProjShift {
    ProjShift(const char* from, const char* to)
        : crsToCrs(proj_create_crs_to_crs(context.Get(), from, to, nullptr)),
          normalised(proj_normalize_for_visualization(context.Get(), crsToCrs.get())) {}
    ProjContext context;
    ProjObject crsToCrs;
    ProjObject normalised;
};

void Shift_ProjTrans(benchmark::State& state) {
    const ProjShift proj("EPSG:4326", "EPSG:4230");
    std::size_t i = 0;
    for (auto _ : state) {
        const GeodeticPosition& p = Points()[i++ % Points().size()];
        benchmark::DoNotOptimize(proj_trans(proj.normalised.get(), PJ_FWD,
                                            proj_coord(p.longitude, p.latitude, 0, HUGE_VAL)));
    }
}

void Shift_ProjTransGeneric(benchmark::State& state) {
    const ProjShift proj("EPSG:4326", "EPSG:4230");
    std::vector<double> x(Points().size()), y(Points().size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < Points().size(); ++i) {
            x[i] = Points()[i].longitude;
            y[i] = Points()[i].latitude;
        }
        proj_trans_generic(proj.normalised.get(), PJ_FWD, x.data(), sizeof(double), x.size(),
                           y.data(), sizeof(double), y.size(), nullptr, 0, 0, nullptr, 0, 0);
        benchmark::DoNotOptimize(x.data());
    }
    state.counters["per_point"] = benchmark::Counter(static_cast<double>(Points().size()),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

// A transformation through a grid (New Zealand's), which the shift leaves to proj_trans.
void ShiftThroughGrid_Korvane(benchmark::State& state) {
    DatumShift shift(ResolveDatum("NZGD49"), ResolveDatum("WGS 84"));
    std::size_t i = 0;
    for (auto _ : state) {
        const GeodeticPosition& p = Points()[i++ % Points().size()];
        benchmark::DoNotOptimize(shift.Shift({p.latitude - 84, p.longitude + 175}));
    }
}

void CopyForThread(benchmark::State& state) {
    const DatumShift shift(ResolveDatum("WGS 84"), ResolveDatum("ED50"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(shift.CopyForThread());
    }
}

void Construct(benchmark::State& state) {
    const GeodeticDatum wgs84 = ResolveDatum("WGS 84");
    const GeodeticDatum ed50 = ResolveDatum("ED50");
    for (auto _ : state) {
        benchmark::DoNotOptimize(DatumShift(wgs84, ed50));
    }
}

BENCHMARK(Shift_Korvane);
BENCHMARK(Shift_ProjTrans);
BENCHMARK(Shift_ProjTransGeneric);
BENCHMARK(ShiftThroughGrid_Korvane);
BENCHMARK(CopyForThread)->Unit(benchmark::kMillisecond);
BENCHMARK(Construct)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
