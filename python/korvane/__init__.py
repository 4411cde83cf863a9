"""Korvane: latitude and longitude to UTM and back, on fourteen named ellipsoids, over NumPy arrays.

Every element goes through the same conversions as the Korvane windows and korvane-batch and
comes out with their digits: the northing and easting that korvane-batch prints, the degrees,
minutes and seconds and the military grid reference that the windows show.

    >>> import korvane
    >>> utm = korvane.to_utm([15.875308, -33.86], [44.0877772, 151.21])
    >>> utm.zone, utm.northing, utm.easting
    (array([38, 56], dtype=int16), array([1755355.41, 6251925.36]), array([402336.02, 334416.39]))

to_utm and to_latlong take scalars or array-likes, broadcast together as NumPy does, and give a
named tuple of arrays of the broadcast shape (of scalars when every argument is a scalar): numbers
as float64 (the zone int16), texts as NumPy str arrays, and the reasons of failures as an array
of str objects. A point that cannot be converted does not stop the others: its numbers are NaN
(its zone 0) and its texts empty, and its `error` says why; with errors="raise" the first such
point raises ConversionError.

korvane.pandas and korvane.dask do the same on the columns of pandas and Dask data frames.
"""

import importlib
from typing import NamedTuple

import numpy as np

from . import _korvane

__all__ = [
    "ConversionError",
    "LatLongResult",
    "UtmResult",
    "ellipsoids",
    "to_latlong",
    "to_utm",
]

_ERRORS = ("coerce", "raise")


class ConversionError(ValueError):
    """A point that could not be converted, under errors="raise".

    `index` is the first failing element's index in the broadcast shape (a tuple, () for
    scalars), or its row label in korvane.pandas and korvane.dask; `reason` says why it failed,
    as `error` would have.
    """

    def __init__(self, index, reason, where):
        super().__init__(f"{where}: {reason}" if where else reason)
        self.index = index
        self.reason = reason


class UtmResult(NamedTuple):
    """What to_utm gives, each field an array of the arguments' broadcast shape."""

    zone: np.ndarray  # int16; 0 where the point failed
    band: np.ndarray  # the latitude band letter
    central_meridian: np.ndarray  # float64, the zone's central meridian in whole degrees east
    northing: np.ndarray  # float64 metres to hundredths, as korvane-batch prints it
    easting: np.ndarray  # float64 metres to hundredths, as korvane-batch prints it
    grid_reference: np.ndarray  # as the windows write it: "38 P   MC  02339  55355"
    error: np.ndarray  # "" where converted, else why not


class LatLongResult(NamedTuple):
    """What to_latlong gives, each field an array of the arguments' broadcast shape."""

    latitude: np.ndarray  # float64 signed decimal degrees, north positive
    longitude: np.ndarray  # float64 signed decimal degrees, east positive
    # The UTM window's boxes: whole degrees, whole minutes, seconds to at most two decimals, and
    # the letter. The latitude's letter is the hemisphere given; a point beyond the equator from
    # it shows negative degrees. The longitude's letter is E or W by the longitude's sign.
    latitude_degrees: np.ndarray
    latitude_minutes: np.ndarray
    latitude_seconds: np.ndarray
    latitude_hemisphere: np.ndarray
    longitude_degrees: np.ndarray
    longitude_minutes: np.ndarray
    longitude_seconds: np.ndarray
    longitude_hemisphere: np.ndarray
    grid_reference: np.ndarray  # as the UTM window writes it
    error: np.ndarray  # "" where converted, else why not


def ellipsoids():
    """The names of the fourteen ellipsoids, in the order of the windows' list.

    Any of them is a valid `ellipsoid` argument; "WGS 84" is the default.
    """
    return _korvane.ellipsoids()


def to_utm(lat, lon, ellipsoid="WGS 84", *, errors="coerce"):
    """Latitude and longitude to UTM, with the windows' and korvane-batch's digits.

    Arguments:
        lat, lon: signed decimal degrees, north and east positive; numbers or array-likes of an
            integer or floating dtype, broadcast together. A latitude beyond 90 degrees or a
            longitude beyond 180 either way, NaN or infinity fails for that point.
        ellipsoid: one of the names that ellipsoids() gives.
        errors: "coerce" (the default) gives failed points NaN and their reason in `error`;
            "raise" raises ConversionError for the first point that fails.

    Returns a UtmResult of arrays in the broadcast shape (scalars for scalar arguments):
        zone (int16), band (str), central_meridian, northing, easting (float64: northing and
        easting in metres to hundredths, exactly the values korvane-batch prints),
        grid_reference (str, as the windows write it) and error (str, "" where converted).
        A failed point has NaN numbers, zone 0 and empty texts.

    The zone is that of the longitude alone: 0 degrees is zone 31, 180 degrees east zone 61;
    there are no regional exceptions. A negative latitude, -0.0 too, is south, with northings
    from 10,000,000 m at the equator.

    Raises ValueError for an unknown ellipsoid (naming the valid ones), arguments whose shapes
    do not broadcast or an unknown `errors`; TypeError for arguments that are not numbers.
    A large array is converted on every core, without the GIL: other threads go on meanwhile.
    """
    datum = _list_position(ellipsoid)
    _check_errors(errors)
    arrays, shape = _broadcast({"lat": _numbers("lat", lat), "lon": _numbers("lon", lon)})
    columns = _korvane.to_utm(*arrays, datum)
    return _result(UtmResult, columns, shape, errors)


def to_latlong(northing, easting, zone, hemisphere, ellipsoid="WGS 84", *, errors="coerce"):
    """UTM to latitude and longitude, with the UTM window's texts and korvane-batch's digits.

    Arguments:
        northing, easting: metres, numbers or array-likes of an integer or floating dtype; a
            southern northing counts from 10,000,000 at the equator.
        zone: whole numbers (integer dtype, or floats without a fraction).
        hemisphere: "N" or "S" (either case), a str or an array-like of them; any other value
            fails for its point.
        ellipsoid: one of the names that ellipsoids() gives.
        errors: "coerce" (the default) or "raise", as for to_utm.
        All four broadcast together.

    Returns a LatLongResult of arrays in the broadcast shape (scalars for scalar arguments):
        latitude, longitude (float64 signed decimal degrees, north and east positive); the
        texts the UTM window shows, latitude_degrees, latitude_minutes, latitude_seconds,
        latitude_hemisphere and the same for the longitude (seconds to two decimals, "60" left
        as the window leaves it; the latitude under the hemisphere given, with negative
        degrees for a point beyond the equator from it); grid_reference and error (str, ""
        where converted). A failed point has NaN numbers and empty texts.

    Raises ValueError for an unknown ellipsoid, shapes that do not broadcast or an unknown
    `errors`; TypeError for arguments that are not numbers, or hemispheres that are not texts.
    A large array is converted on every core, without the GIL: other threads go on meanwhile.
    """
    datum = _list_position(ellipsoid)
    _check_errors(errors)
    arrays, shape = _broadcast(
        {
            "northing": _numbers("northing", northing),
            "easting": _numbers("easting", easting),
            "zone": _numbers("zone", zone),
            "hemisphere": _hemisphere_codes(hemisphere),
        }
    )
    columns = _korvane.to_latlong(*arrays, datum)
    return _result(LatLongResult, columns, shape, errors)


def __getattr__(name):
    # korvane.pandas and korvane.dask are imported when first used: neither library is needed
    # for the arrays.
    if name in ("pandas", "dask"):
        return importlib.import_module(f".{name}", __name__)
    raise AttributeError(f"module {__name__!r} has no attribute {name!r}")


def _list_position(ellipsoid):
    if not isinstance(ellipsoid, str):
        raise TypeError(f"ellipsoid must be a str, not {type(ellipsoid).__name__}")
    position = _korvane.list_position(ellipsoid)
    if position is None:
        names = ", ".join(repr(name) for name in ellipsoids())
        raise ValueError(f"unknown ellipsoid {ellipsoid!r}; the ellipsoids are {names}")
    return position


def _check_errors(errors):
    if errors not in _ERRORS:
        raise ValueError(f'errors must be "coerce" or "raise", not {errors!r}')


def _numbers(name, value):
    array = np.asarray(value)
    if array.dtype.kind not in "iuf":
        raise TypeError(
            f"{name} must be numbers of an integer or floating dtype, not {array.dtype}"
        )
    return array.astype(np.float64, copy=False)


def _hemisphere_codes(hemisphere):
    """The hemisphere letters as the compiled module takes them: 0 N, 1 S, -1 anything else."""
    letters = np.asarray(hemisphere)
    if letters.dtype.kind not in "UO":
        raise TypeError(f'hemisphere must be the texts "N" or "S", not {letters.dtype}')
    codes = np.full(letters.shape, -1, dtype=np.int8)
    codes[(letters == "N") | (letters == "n")] = 0
    codes[(letters == "S") | (letters == "s")] = 1
    return codes


def _broadcast(arrays):
    """The arrays broadcast together, each flat and contiguous, and their common shape."""
    try:
        shape = np.broadcast_shapes(*(array.shape for array in arrays.values()))
    except ValueError:
        shapes = ", ".join(f"{name} {array.shape}" for name, array in arrays.items())
        raise ValueError(f"the arguments' shapes do not broadcast together: {shapes}") from None
    flat = [np.ascontiguousarray(np.broadcast_to(a, shape)).reshape(-1) for a in arrays.values()]
    return flat, shape


def _first_failure(error):
    """The flat position of the first element with a reason in error, or None."""
    failed = np.flatnonzero(error != "")
    return int(failed[0]) if failed.size else None


def _result(kind, columns, shape, errors):
    if errors == "raise":
        error = columns[-1]
        first = _first_failure(error)
        if first is not None:
            index = tuple(int(i) for i in np.unravel_index(first, shape))
            where = f"element {index[0] if len(index) == 1 else index}" if index else ""
            raise ConversionError(index, error[first], where)
    return kind._make(column.reshape(shape)[()] for column in columns)
