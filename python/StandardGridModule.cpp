// The standard grid over whole arrays, element by element, on every core without the
// interpreter's lock, through the same commands as korvane-batch's standard grid.

#include "StandardGridModule.hpp"

#include "ConvertOnThreads.hpp"
#include "FlatArrays.hpp"
#include "LargePageArray.hpp"
#include "PointInputs.hpp"
#include "StrColumn.hpp"
#include "ThreadShifts.hpp"
#include "commands/StandardGrid.hpp"
#include "geodesy/ValueText.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <pybind11/numpy.h>
#include <pybind11/stl.h>
#include <string>
#include <vector>

namespace py = pybind11;

namespace korvane {

namespace {

using CodePoints = py::array_t<std::uint32_t, py::array::c_style>;

constexpr std::size_t kZoneLetterWidth = 1;
constexpr std::size_t kMgrsWidth = 15; // a two-digit zone at 1 m

// The grid of a list position, as the batch converter's standard grid has it: the ellipsoid as
// defined, its squares lettered as the standard letters it; or with a datum shift, the grid
// datum's ellipsoid.
StandardGrid GridAt(int listPosition, const ThreadShifts* shift, std::optional<int> zone,
                    std::optional<Hemisphere> hemisphere) {
    if (shift != nullptr) {
        const GeodeticDatum& grid = shift->Grid();
        return StandardGrid::OnEllipsoid(grid.ellipsoidName, grid.a, grid.b, zone, hemisphere);
    }
    return StandardGrid::OnListed(listPosition, zone, hemisphere);
}

// Why a latitude and longitude cannot be converted, or an empty text.
std::string PositionFailure(double latitude, double longitude) {
    if (std::string failure = NotFiniteFailure({{"latitude", latitude}, {"longitude", longitude}});
        !failure.empty()) {
        return failure;
    }
    if (std::fabs(latitude) > 90) {
        return "latitude " + ValueText(latitude) + " is outside -90 to 90 degrees";
    }
    if (std::fabs(longitude) > 180) {
        return "longitude " + ValueText(longitude) + " is outside -180 to 180 degrees";
    }
    return {};
}

// Why a grid position's numbers and hemisphere code cannot be converted, or an empty text.
std::string GridNumbersFailure(double northing, double easting, double zone,
                               signed char hemisphere) {
    if (std::string failure =
            NotFiniteFailure({{"northing", northing}, {"easting", easting}, {"zone", zone}});
        !failure.empty()) {
        return failure;
    }
    if (zone != std::trunc(zone)) {
        return "zone " + ValueText(zone) + " is not a whole number";
    }
    if (zone < 0 || zone > 60) {
        return "zone " + ValueText(zone) + " is outside 0 (UPS) to 60";
    }
    if (hemisphere < 0) {
        return "the hemisphere must be N or S";
    }
    return {};
}

py::tuple ToStandardGrid(const NumberArray& latitude, const NumberArray& longitude,
                         int listPosition, ThreadShifts* shift, std::optional<int> zone,
                         std::optional<bool> south, int precision) {
    const std::size_t count = CheckedLength({&latitude, &longitude});
    std::optional<Hemisphere> hemisphere;
    if (south) {
        hemisphere = *south ? Hemisphere::South : Hemisphere::North;
    }
    const StandardGrid grid = GridAt(listPosition, shift, zone, hemisphere);
    auto zones = LargePageArray<std::int16_t>(count);
    auto eastings = LargePageArray<double>(count);
    auto northings = LargePageArray<double>(count);
    const std::size_t threads = ConvertingThreads(count);
    PrepareShifts(shift, threads);
    StrColumn hemispheres(count, kZoneLetterWidth, threads);
    StrColumn mgrs(count, kMgrsWidth, threads);
    ReasonColumn error(threads);
    const double* latitudes = latitude.data();
    const double* longitudes = longitude.data();
    std::int16_t* zoneOut = zones.mutable_data();
    double* eastingOut = eastings.mutable_data();
    double* northingOut = northings.mutable_data();
    ConvertOnThreads(count, threads, [&](std::size_t thread, std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            StandardUtm result;
            result.failure = PositionFailure(latitudes[i], longitudes[i]);
            if (result.failure.empty()) {
                GeodeticPosition position{latitudes[i], longitudes[i]};
                result.failure = ShiftOn(shift, thread, position);
                if (result.failure.empty()) {
                    result = ConvertToStandardGrid(position, grid, precision);
                }
            }
            const bool converted = result.Converted();
            zoneOut[i] = converted ? static_cast<std::int16_t>(result.position.zone) : 0;
            eastingOut[i] = converted ? result.position.easting : kNaN;
            northingOut[i] = converted ? result.position.northing : kNaN;
            hemispheres.Write(i,
                              !converted                                        ? ""
                              : result.position.hemisphere == Hemisphere::South ? "S"
                                                                                : "N",
                              thread);
            mgrs.Write(i, result.mgrs, thread);
            if (!converted) {
                error.Add(i, result.failure, thread);
            }
        }
    });
    return py::make_tuple(zones, hemispheres.Settle(), eastings, northings, mgrs.Settle(),
                          error.Settle(count));
}

// Writes the latitudes and longitudes of results, NaN and the reason where one failed.
struct LatLongColumns {
    explicit LatLongColumns(std::size_t count, std::size_t threads)
        : latitude(LargePageArray<double>(count)), longitude(LargePageArray<double>(count)),
          error(threads), latitudes(latitude.mutable_data()), longitudes(longitude.mutable_data()) {
    }

    void Write(std::size_t i, StandardLatLong result, ThreadShifts* shift, std::size_t thread) {
        if (result.Converted()) {
            result.failure = ShiftOn(shift, thread, result.position); // to the datum wanted
        }
        latitudes[i] = result.Converted() ? result.position.latitude : kNaN;
        longitudes[i] = result.Converted() ? result.position.longitude : kNaN;
        if (!result.Converted()) {
            error.Add(i, result.failure, thread);
        }
    }

    py::tuple Settle(std::size_t count) {
        return py::make_tuple(latitude, longitude, error.Settle(count));
    }

    py::array_t<double> latitude, longitude;
    ReasonColumn error;
    double* latitudes;
    double* longitudes;
};

py::tuple FromStandardGrid(const NumberArray& northing, const NumberArray& easting,
                           const NumberArray& zone, const LetterArray& hemisphere, int listPosition,
                           ThreadShifts* shift, bool forced) {
    const std::size_t count = CheckedLength({&northing, &easting, &zone, &hemisphere});
    const double* northings = northing.data();
    const double* eastings = easting.data();
    const double* zones = zone.data();
    const signed char* hemispheres = hemisphere.data();
    const std::size_t threads = ConvertingThreads(count);
    PrepareShifts(shift, threads);
    LatLongColumns columns(count, threads);
    // A zone asked for takes its wider ranges: the grid of each element's own zone.
    std::vector<StandardGrid> grids;
    for (int z = 0; z <= (forced ? 60 : 0); ++z) {
        grids.emplace_back(GridAt(listPosition, shift,
                                  forced ? std::optional<int>(z) : std::nullopt, std::nullopt));
    }
    ConvertOnThreads(count, threads, [&](std::size_t thread, std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            StandardLatLong result;
            const double z = zones[i];
            result.failure = GridNumbersFailure(northings[i], eastings[i], z, hemispheres[i]);
            if (result.failure.empty()) {
                const UtmUpsPosition position{static_cast<int>(z),
                                              hemispheres[i] == 1 ? Hemisphere::South
                                                                  : Hemisphere::North,
                                              eastings[i], northings[i]};
                result = ConvertFromStandardGrid(position,
                                                 grids[forced ? static_cast<std::size_t>(z) : 0]);
            }
            columns.Write(i, result, shift, thread);
        }
    });
    return columns.Settle(count);
}

// The references of a NumPy str array, each element read as ASCII: anything else fails it.
py::tuple FromMgrs(const CodePoints& references, std::size_t width, int listPosition,
                   ThreadShifts* shift) {
    const std::size_t count = CheckedLength({&references}) / std::max<std::size_t>(width, 1);
    const std::uint32_t* codes = references.data();
    const std::size_t threads = ConvertingThreads(count);
    PrepareShifts(shift, threads);
    LatLongColumns columns(count, threads);
    const StandardGrid grid = GridAt(listPosition, shift, std::nullopt, std::nullopt);
    ConvertOnThreads(count, threads, [&](std::size_t thread, std::size_t begin, std::size_t end) {
        std::string text;
        for (std::size_t i = begin; i < end; ++i) {
            text.clear();
            bool ascii = true;
            for (std::size_t k = 0; k < width && codes[i * width + k] != 0; ++k) {
                const std::uint32_t code = codes[i * width + k];
                ascii = ascii && code < 0x80;
                text.push_back(code < 0x80 ? static_cast<char>(code) : '?');
            }
            columns.Write(i,
                          ascii ? ConvertFromMgrs(text, grid)
                                : StandardLatLong{"the MGRS reference \"" + text +
                                                      "\" holds a character that is not ASCII",
                                                  {}},
                          shift, thread);
        }
    });
    return columns.Settle(count);
}

} // namespace

void AddStandardGrid(py::module_& module) {
    module.def("to_standard_grid", &ToStandardGrid);
    module.def("from_standard_grid", &FromStandardGrid);
    module.def("from_mgrs", &FromMgrs);
}

} // namespace korvane
