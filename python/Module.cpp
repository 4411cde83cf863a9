// The compiled part of the korvane package: whole arrays through the windows' commands, element
// by element, on every core without the interpreter's lock. The package's Python code checks and
// broadcasts the arguments and hands over flat float64 arrays of one length.

#include "ConvertOnThreads.hpp"
#include "PointInputs.hpp"
#include "StrColumn.hpp"
#include "commands/AngleBoxes.hpp"
#include "geodesy/DatumTable.hpp"
#include "geodesy/InverseProjection.hpp"

#include <algorithm>
#include <array>
#include <limits>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <string>
#include <vector>

namespace py = pybind11;

namespace korvane {

namespace {

using Numbers = py::array_t<double, py::array::c_style | py::array::forcecast>;
using Letters = py::array_t<signed char, py::array::c_style | py::array::forcecast>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::size_t CheckedLength(std::initializer_list<const py::array*> arrays) {
    const std::size_t size = static_cast<std::size_t>((*arrays.begin())->size());
    for (const py::array* array : arrays) {
        if (array->ndim() != 1 || static_cast<std::size_t>(array->size()) != size) {
            throw py::value_error("the arrays must be one-dimensional and of one length");
        }
    }
    return size;
}

// The datum list's row at a position that ListPositionOf gave.
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

// What one thread gathers beside the arrays: the spills of the str columns and the failures, on
// cache lines of its own, so that the threads do not slow each other down by writing to theirs.
template <std::size_t Columns> struct alignas(64) ThreadLeftovers {
    std::array<StrSpill, Columns> spills;
    IndexedTexts failures;
};

// The spills of one column from every thread's leftovers.
template <std::size_t Columns>
std::vector<StrSpill> ColumnSpills(std::vector<ThreadLeftovers<Columns>>& leftovers,
                                   std::size_t column) {
    std::vector<StrSpill> spills;
    for (ThreadLeftovers<Columns>& thread : leftovers) {
        spills.push_back(std::move(thread.spills[column]));
    }
    return spills;
}

template <std::size_t Columns>
py::array Reasons(std::size_t count, std::vector<ThreadLeftovers<Columns>>& leftovers) {
    std::vector<IndexedTexts> failures;
    for (ThreadLeftovers<Columns>& thread : leftovers) {
        failures.push_back(std::move(thread.failures));
    }
    return ReasonColumn(count, failures);
}

py::tuple ToUtm(const Numbers& latitude, const Numbers& longitude, int datumPosition) {
    const std::size_t count = CheckedLength({&latitude, &longitude});
    const ForwardTerms terms(ListedDatum(datumPosition));
    const auto length = static_cast<py::ssize_t>(count);
    py::array_t<std::int16_t> zone(length);
    Numbers centralMeridian(length), northing(length), easting(length);
    StrColumn band(count, kLetterWidth), gridReference(count, kGridReferenceWidth);
    std::vector<ThreadLeftovers<2>> leftovers(ConvertingThreads(count));
    const double* latitudes = latitude.data();
    const double* longitudes = longitude.data();
    std::int16_t* zones = zone.mutable_data();
    double* meridians = centralMeridian.mutable_data();
    double* northings = northing.mutable_data();
    double* eastings = easting.mutable_data();
    ConvertOnThreads(count, leftovers.size(),
                     [&](std::size_t thread, std::size_t begin, std::size_t end) {
                         ThreadLeftovers<2>& own = leftovers[thread];
                         for (std::size_t i = begin; i < end; ++i) {
                             const LatLongConversion result =
                                 ConvertDecimalDegrees(latitudes[i], longitudes[i], terms);
                             const bool converted = result.Converted();
                             zones[i] = result.zone;
                             meridians[i] = converted ? result.centralMeridian : kNaN;
                             northings[i] = converted ? result.northing : kNaN;
                             eastings[i] = converted ? result.easting : kNaN;
                             band.Write(i, result.band, own.spills[0]);
                             gridReference.Write(i, result.gridReference, own.spills[1]);
                             if (!converted) {
                                 own.failures.emplace_back(i, result.failure);
                             }
                         }
                     });
    return py::make_tuple(zone, band.Settle(ColumnSpills(leftovers, 0)), centralMeridian, northing,
                          easting, gridReference.Settle(ColumnSpills(leftovers, 1)),
                          Reasons(count, leftovers));
}

py::tuple ToLatLong(const Numbers& northing, const Numbers& easting, const Numbers& zone,
                    const Letters& hemisphere, int datumPosition) {
    const std::size_t count = CheckedLength({&northing, &easting, &zone, &hemisphere});
    const InverseTerms terms(ListedDatum(datumPosition));
    const auto length = static_cast<py::ssize_t>(count);
    Numbers latitude(length), longitude(length);
    // The window's boxes TxtLat(0..3) and TxtLong(0..3), then the grid reference.
    constexpr std::array kWidths{kDegreesWidth, kMinutesWidth, kSecondsWidth,
                                 kLetterWidth,  kDegreesWidth, kMinutesWidth,
                                 kSecondsWidth, kLetterWidth,  kGridReferenceWidth};
    std::vector<StrColumn> texts;
    for (const std::size_t width : kWidths) {
        texts.emplace_back(count, width);
    }
    std::vector<ThreadLeftovers<kWidths.size()>> leftovers(ConvertingThreads(count));
    const double* northings = northing.data();
    const double* eastings = easting.data();
    const double* zones = zone.data();
    const signed char* hemispheres = hemisphere.data();
    double* latitudes = latitude.mutable_data();
    double* longitudes = longitude.mutable_data();
    ConvertOnThreads(
        count, leftovers.size(), [&](std::size_t thread, std::size_t begin, std::size_t end) {
            ThreadLeftovers<kWidths.size()>& own = leftovers[thread];
            for (std::size_t i = begin; i < end; ++i) {
                const auto code = static_cast<HemisphereCode>(hemispheres[i]);
                UtmConversion result =
                    ConvertGridNumbers(northings[i], eastings[i], zones[i], code, terms);
                AngleBoxes latitudeBoxes, longitudeBoxes;
                if (result.Converted()) {
                    // The library series' own position for the float columns: the conversion's
                    // quick one shows the same texts, but may differ in the last bits.
                    result.position = ProjectFromUtm(result.utm, terms);
                    latitudeBoxes = LatitudeBoxes(result, HemisphereLetter(code), ".");
                    longitudeBoxes = LongitudeBoxes(result, ".");
                    latitudes[i] = result.position.latitude;
                    longitudes[i] = result.position.longitude;
                } else {
                    latitudes[i] = kNaN;
                    longitudes[i] = kNaN;
                    own.failures.emplace_back(i, result.failure);
                }
                for (std::size_t part = 0; part < 4; ++part) {
                    texts[part].Write(i, latitudeBoxes[part], own.spills[part]);
                    texts[4 + part].Write(i, longitudeBoxes[part], own.spills[4 + part]);
                }
                texts[8].Write(i, result.gridReference, own.spills[8]);
            }
        });
    py::list columns;
    columns.append(latitude);
    columns.append(longitude);
    for (std::size_t column = 0; column < texts.size(); ++column) {
        columns.append(texts[column].Settle(ColumnSpills(leftovers, column)));
    }
    columns.append(Reasons(count, leftovers));
    return py::tuple(columns);
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
    module.def("ellipsoids", &korvane::EllipsoidNames);
    module.def("list_position",
               [](std::string_view name) { return korvane::ListPositionOf(name); });
    module.def("to_utm", &korvane::ToUtm);
    module.def("to_latlong", &korvane::ToLatLong);
}
