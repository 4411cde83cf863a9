// The compiled part of the korvane package: whole arrays through the windows' commands, element
// by element, on every core without the interpreter's lock. The package's Python code checks and
// broadcasts the arguments and hands over flat float64 arrays of one length.

#include "ConvertOnThreads.hpp"
#include "FlatArrays.hpp"
#include "LargePageArray.hpp"
#include "PointInputs.hpp"
#include "StandardGridModule.hpp"
#include "StrColumn.hpp"
#include "ThreadShifts.hpp"
#include "commands/AngleBoxes.hpp"
#include "commands/EllipsoidName.hpp"
#include "datumshift/DatumFailure.hpp"
#include "geodesy/DatumTable.hpp"

#include <array>
#include <cmath>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <string>
#include <vector>

namespace py = pybind11;

namespace korvane {

namespace {

// The datum list's row at a position that EllipsoidPositionOf gave.
const DatumEntry& ListedDatum(int position) {
    return DatumForListPosition(static_cast<std::int16_t>(position));
}

// The widest texts of points within the zones' reach, in code points, which the columns are
// made for at first: the grid reference of a two-digit zone, "-180" degrees and "59.99" seconds.
constexpr std::size_t kGridReferenceWidth = 23;
constexpr std::size_t kDegreesWidth = 4;
constexpr std::size_t kMinutesWidth = 2;
constexpr std::size_t kSecondsWidth = 5;
constexpr std::size_t kLetterWidth = 1;

// The ellipsoid of the windows' list at the position, or with a datum shift the grid datum's.
DatumEntry Ellipsoid(int datumPosition, const ThreadShifts* shift) {
    return shift != nullptr ? shift->GridEllipsoid() : ListedDatum(datumPosition);
}

py::tuple ToUtm(const NumberArray& latitude, const NumberArray& longitude, int datumPosition,
                ThreadShifts* shift) {
    const std::size_t count = CheckedLength({&latitude, &longitude});
    const ForwardTerms terms(Ellipsoid(datumPosition, shift));
    auto zone = LargePageArray<std::int16_t>(count);
    auto centralMeridian = LargePageArray<double>(count);
    auto northing = LargePageArray<double>(count);
    auto easting = LargePageArray<double>(count);
    const std::size_t threads = ConvertingThreads(count);
    PrepareShifts(shift, threads);
    StrColumn hemisphere(count, kLetterWidth, threads);
    StrColumn band(count, kLetterWidth, threads);
    StrColumn gridReference(count, kGridReferenceWidth, threads);
    ReasonColumn error(threads);
    const double* latitudes = latitude.data();
    const double* longitudes = longitude.data();
    std::int16_t* zones = zone.mutable_data();
    double* meridians = centralMeridian.mutable_data();
    double* northings = northing.mutable_data();
    double* eastings = easting.mutable_data();
    ConvertOnThreads(count, threads, [&](std::size_t thread, std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            GeodeticPosition position{latitudes[i], longitudes[i]};
            LatLongConversion result;
            result.failure = ShiftOn(shift, thread, position);
            if (result.failure.empty()) {
                result = ConvertDecimalDegrees(position.latitude, position.longitude, terms);
            }
            const bool converted = result.Converted();
            zones[i] = result.zone;
            meridians[i] = converted ? result.centralMeridian : kNaN;
            northings[i] = converted ? result.northing : kNaN;
            eastings[i] = converted ? result.easting : kNaN;
            // As the conversion took it, by the latitude's sign: -0 is south.
            hemisphere.Write(i,
                             !converted                        ? ""
                             : std::signbit(position.latitude) ? "S"
                                                               : "N",
                             thread);
            band.Write(i, result.band, thread);
            gridReference.Write(i, result.gridReference, thread);
            if (!converted) {
                error.Add(i, result.failure, thread);
            }
        }
    });
    return py::make_tuple(zone, hemisphere.Settle(), band.Settle(), centralMeridian, northing,
                          easting, gridReference.Settle(), error.Settle(count));
}

py::tuple ToLatLong(const NumberArray& northing, const NumberArray& easting,
                    const NumberArray& zone, const LetterArray& hemisphere, int datumPosition,
                    ThreadShifts* shift) {
    const std::size_t count = CheckedLength({&northing, &easting, &zone, &hemisphere});
    const InverseTerms terms(Ellipsoid(datumPosition, shift));
    auto latitude = LargePageArray<double>(count);
    auto longitude = LargePageArray<double>(count);
    // The window's boxes TxtLat(0..3) and TxtLong(0..3), then the grid reference.
    constexpr std::array kWidths{kDegreesWidth, kMinutesWidth, kSecondsWidth,
                                 kLetterWidth,  kDegreesWidth, kMinutesWidth,
                                 kSecondsWidth, kLetterWidth,  kGridReferenceWidth};
    const std::size_t threads = ConvertingThreads(count);
    PrepareShifts(shift, threads);
    std::vector<StrColumn> texts;
    for (const std::size_t width : kWidths) {
        texts.emplace_back(count, width, threads);
    }
    ReasonColumn error(threads);
    const double* northings = northing.data();
    const double* eastings = easting.data();
    const double* zones = zone.data();
    const signed char* hemispheres = hemisphere.data();
    double* latitudes = latitude.mutable_data();
    double* longitudes = longitude.mutable_data();
    ConvertOnThreads(count, threads, [&](std::size_t thread, std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const auto code = static_cast<HemisphereCode>(hemispheres[i]);
            UtmConversion result =
                ConvertGridNumbers(northings[i], eastings[i], zones[i], code, terms);
            AngleBoxes latitudeBoxes, longitudeBoxes;
            if (result.Converted()) {
                // Shifted from the grid's datum: the texts show the position shifted.
                if (std::string failure = ShiftOn(shift, thread, result.position);
                    !failure.empty()) {
                    result = UtmConversion{};
                    result.failure = std::move(failure);
                }
            }
            if (result.Converted()) {
                latitudeBoxes = LatitudeBoxes(result, HemisphereLetter(code), ".");
                longitudeBoxes = LongitudeBoxes(result, ".");
                latitudes[i] = result.position.latitude;
                longitudes[i] = result.position.longitude;
            } else {
                latitudes[i] = kNaN;
                longitudes[i] = kNaN;
                error.Add(i, result.failure, thread);
            }
            for (std::size_t part = 0; part < 4; ++part) {
                texts[part].Write(i, latitudeBoxes[part], thread);
                texts[4 + part].Write(i, longitudeBoxes[part], thread);
            }
            texts[8].Write(i, result.gridReference, thread);
        }
    });
    py::list columns;
    columns.append(latitude);
    columns.append(longitude);
    for (StrColumn& column : texts) {
        columns.append(column.Settle());
    }
    columns.append(error.Settle(count));
    return py::tuple(columns);
}

// The datum shift the package's calls take, as the object _korvane.DatumShift; a datum that
// cannot be had is a ValueError with PROJ's reason and how to find the names.
void AddThreadShifts(py::module_& module) {
    py::register_exception_translator([](std::exception_ptr failure) {
        try {
            if (failure) {
                std::rethrow_exception(failure);
            }
        } catch (const DatumFailure& datum) {
            PyErr_SetString(PyExc_ValueError, datum.what());
        }
    });
    const auto named = [](const GeodeticDatum& datum) {
        return py::make_tuple(datum.name, datum.code, datum.note);
    };
    py::class_<ThreadShifts>(module, "DatumShift")
        .def(py::init<const std::string&, const std::string&, bool, bool>())
        .def_property_readonly(
            "positions", [named](const ThreadShifts& shift) { return named(shift.Positions()); })
        .def_property_readonly("grid",
                               [named](const ThreadShifts& shift) { return named(shift.Grid()); })
        .def_property_readonly("ellipsoid",
                               [](const ThreadShifts& shift) {
                                   const GeodeticDatum& grid = shift.Grid();
                                   return py::make_tuple(grid.ellipsoidName, grid.a, grid.b);
                               })
        .def_property_readonly("operations", &ThreadShifts::Operations)
        .def_property_readonly("only_ballpark", &ThreadShifts::OnlyBallpark);
}

std::vector<std::string> EllipsoidNames() {
    std::vector<std::string> names;
    for (const DatumEntry& entry : ListedDatums()) {
        names.emplace_back(entry.listName);
    }
    return names;
}

} // namespace

} // namespace korvane

PYBIND11_MODULE(_korvane, module) {
    module.doc() = "Korvane's conversions over flat float64 arrays; use the korvane package.";
    module.attr("__version__") = KORVANE_VERSION;
    module.def("ellipsoids", &korvane::EllipsoidNames);
    module.def("list_position",
               [](std::string_view name) { return korvane::EllipsoidPositionOf(name); });
    module.def("nearest_ellipsoid",
               [](std::string_view name) { return korvane::NearestEllipsoidName(name); });
    korvane::AddThreadShifts(module);
    module.def("to_utm", &korvane::ToUtm);
    module.def("to_latlong", &korvane::ToLatLong);
    korvane::AddStandardGrid(module);
}
