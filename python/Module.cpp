// The compiled part of the korvane package: whole arrays through the windows' commands, element
// by element, without the interpreter's lock. The package's Python code checks and broadcasts
// the arguments and hands over flat float64 arrays of one length.

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

// Points converted between two takings of the lock: enough that taking it costs nothing by
// comparison, few enough that their results wait in a buffer that stays in the cache.
constexpr std::size_t kChunk = 4096;

// Runs convert(index) for every index, a chunk at a time without the lock into a buffer, then
// store(index, result) for the chunk with it.
template <typename Result, typename Convert, typename Store>
void ConvertInChunks(std::size_t count, Convert convert, Store store) {
    std::vector<Result> chunk(std::min(count, kChunk));
    for (std::size_t start = 0; start < count; start += kChunk) {
        const std::size_t size = std::min(kChunk, count - start);
        {
            py::gil_scoped_release unlocked;
            for (std::size_t j = 0; j < size; ++j) {
                chunk[j] = convert(start + j);
            }
        }
        for (std::size_t j = 0; j < size; ++j) {
            store(start + j, chunk[j]);
        }
    }
}

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

py::tuple ToUtm(const Numbers& latitude, const Numbers& longitude, int datumPosition) {
    const std::size_t count = CheckedLength({&latitude, &longitude});
    const ForwardTerms terms(ListedDatum(datumPosition));
    const auto length = static_cast<py::ssize_t>(count);
    py::array_t<std::int16_t> zone(length);
    Numbers centralMeridian(length), northing(length), easting(length);
    StrColumn band(count), gridReference(count);
    ReasonColumn error(count);
    const double* latitudes = latitude.data();
    const double* longitudes = longitude.data();
    std::int16_t* zones = zone.mutable_data();
    double* meridians = centralMeridian.mutable_data();
    double* northings = northing.mutable_data();
    double* eastings = easting.mutable_data();
    ConvertInChunks<LatLongConversion>(
        count,
        [&](std::size_t i) { return ConvertDecimalDegrees(latitudes[i], longitudes[i], terms); },
        [&](std::size_t i, const LatLongConversion& result) {
            const bool converted = result.Converted();
            zones[i] = result.zone;
            meridians[i] = converted ? result.centralMeridian : kNaN;
            northings[i] = converted ? result.northing : kNaN;
            eastings[i] = converted ? result.easting : kNaN;
            band.Set(i, result.band);
            gridReference.Set(i, result.gridReference);
            error.Set(i, result.failure);
        });
    return py::make_tuple(zone, band.Array(), centralMeridian, northing, easting,
                          gridReference.Array(), error.Array());
}

// A UTM conversion with the UTM window's boxes, formatted from its numbers.
struct ShownConversion {
    UtmConversion conversion;
    AngleBoxes latitude;
    AngleBoxes longitude;
};

py::tuple ToLatLong(const Numbers& northing, const Numbers& easting, const Numbers& zone,
                    const Letters& hemisphere, int datumPosition) {
    const std::size_t count = CheckedLength({&northing, &easting, &zone, &hemisphere});
    const InverseTerms terms(ListedDatum(datumPosition));
    const auto length = static_cast<py::ssize_t>(count);
    Numbers latitude(length), longitude(length);
    // The window's boxes TxtLat(0..3) and TxtLong(0..3), then the grid reference.
    std::vector<StrColumn> texts;
    for (int column = 0; column < 9; ++column) {
        texts.emplace_back(count);
    }
    ReasonColumn error(count);
    const double* northings = northing.data();
    const double* eastings = easting.data();
    const double* zones = zone.data();
    const signed char* hemispheres = hemisphere.data();
    double* latitudes = latitude.mutable_data();
    double* longitudes = longitude.mutable_data();
    ConvertInChunks<ShownConversion>(
        count,
        [&](std::size_t i) {
            const auto code = static_cast<HemisphereCode>(hemispheres[i]);
            ShownConversion shown{
                ConvertGridNumbers(northings[i], eastings[i], zones[i], code, terms), {}, {}};
            if (shown.conversion.Converted()) {
                // The library series' own position for the float columns: the conversion's
                // quick one shows the same texts, but may differ in the last bits.
                shown.conversion.position = ProjectFromUtm(shown.conversion.utm, terms);
                shown.latitude = LatitudeBoxes(shown.conversion, HemisphereLetter(code), ".");
                shown.longitude = LongitudeBoxes(shown.conversion, ".");
            }
            return shown;
        },
        [&](std::size_t i, const ShownConversion& shown) {
            const UtmConversion& result = shown.conversion;
            const bool converted = result.Converted();
            latitudes[i] = converted ? result.position.latitude : kNaN;
            longitudes[i] = converted ? result.position.longitude : kNaN;
            for (std::size_t part = 0; part < 4; ++part) {
                texts[part].Set(i, shown.latitude[part]);
                texts[4 + part].Set(i, shown.longitude[part]);
            }
            texts[8].Set(i, result.gridReference);
            error.Set(i, result.failure);
        });
    py::list columns;
    columns.append(latitude);
    columns.append(longitude);
    for (const StrColumn& column : texts) {
        columns.append(column.Array());
    }
    columns.append(error.Array());
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
