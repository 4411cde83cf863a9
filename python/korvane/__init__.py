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

__version__ = _korvane.__version__

__all__ = [
    "ConversionError",
    "LatLongResult",
    "StandardLatLongResult",
    "StandardUtmResult",
    "UtmResult",
    "datum_shift",
    "ellipsoids",
    "from_mgrs",
    "to_latlong",
    "to_utm",
]

_ERRORS = ("coerce", "raise")
_GRIDS = ("windows", "standard")


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
    hemisphere: np.ndarray  # "N" or "S" by the latitude's sign (-0.0 is south); "" where failed
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


class StandardUtmResult(NamedTuple):
    """What to_utm gives on the standard grid, each field an array of the broadcast shape."""

    zone: np.ndarray  # int16: 1 to 60, 0 for UPS (and where the point failed)
    hemisphere: np.ndarray  # "N" or "S"; "" where the point failed
    easting: np.ndarray  # float64 metres, exact (not rounded)
    northing: np.ndarray  # float64 metres, exact; for UPS from 2,000,000 at the pole
    mgrs: np.ndarray  # the compact standard MGRS reference: "38PMC0233955355"
    error: np.ndarray  # "" where converted, else why not


class _UtmResultMade(UtmResult):
    """A UtmResult that keeps what it was made on (the ellipsoid, or the datums of a shift),
    for to_latlong to convert it back on: the same fields, and the same repr."""

    def __repr__(self):
        return "UtmResult" + super().__repr__()[len(type(self).__name__):]


class _StandardUtmResultMade(StandardUtmResult):
    """The same for a StandardUtmResult."""

    def __repr__(self):
        return "StandardUtmResult" + super().__repr__()[len(type(self).__name__):]


_MADE = {UtmResult: _UtmResultMade, StandardUtmResult: _StandardUtmResultMade}


class StandardLatLongResult(NamedTuple):
    """What to_latlong and from_mgrs give on the standard grid."""

    latitude: np.ndarray  # float64 signed decimal degrees, north positive
    longitude: np.ndarray  # float64 signed decimal degrees, east positive, -180 to 180
    error: np.ndarray  # "" where converted, else why not


def ellipsoids():
    """The names of the fourteen ellipsoids, in the order of the windows' list.

    Any of them is a valid `ellipsoid` argument; "WGS 84" is the default.
    """
    return _korvane.ellipsoids()


def to_utm(lat, lon, ellipsoid="WGS 84", *, errors="coerce", grid="windows", zone=None,
           mgrs_precision=5, source=None, datum=None, outside_area=False):
    """Latitude and longitude to UTM, with the windows' and korvane-batch's digits, or on the
    standard grid.

    Arguments:
        lat, lon: signed decimal degrees, north and east positive; numbers or array-likes of an
            integer or floating dtype, broadcast together. A latitude beyond 90 degrees or a
            longitude beyond 180 either way, NaN or infinity fails for that point; so does a
            masked element of a NumPy masked array, a missing point.
        ellipsoid: one of the names that ellipsoids() gives, told apart by its letters and
            digits alone ("WGS84" and "clarke 1866" name list entries too).
        errors: "coerce" (the default) gives failed points NaN and their reason in `error`;
            "raise" raises ConversionError for the first point that fails.
        grid: "windows" (the default: the windows' series and grid reference) or "standard":
            exact transverse Mercator, UPS from 84 N and below 80 S, the standard zones with the
            Norway and Svalbard exceptions and standard MGRS, on the ellipsoid as EPSG defines
            it (as korvane-batch --grid=standard).
        zone: on the standard grid, a zone for every point, also beyond its edges (up to 60
            degrees of arc from its central meridian): 1 to 60, "31N" or "31S" to ask for the
            hemisphere too, or "UPS" (or 0).
        mgrs_precision: on the standard grid, the MGRS reference's digit pairs, 0 (100 km) to
            5 (1 m); its digits are truncated from the exact easting and northing.
        source, datum: a datum shift, in either grid: the datum the positions were measured on
            and the grid's, each by EPSG code ("EPSG:4326") or by a name PROJ knows ("ED50").
            Each position is shifted through PROJ, by the transformation its database chooses
            there (as cs2cs), and projected on the grid datum's ellipsoid with its exact axes;
            `ellipsoid` is then not given. datum_shift() says what the shift is.
        outside_area: with a datum shift, shift a position outside every transformation's area
            of use all the same (PROJ's fallback), rather than fail it.

    On the standard grid, returns a StandardUtmResult: zone (int16, 0 for UPS), hemisphere,
    easting and northing (float64, exact), mgrs and error; a point of a zone asked for that
    lies beyond the squares MGRS letters has an empty reference.

    Returns a UtmResult of arrays in the broadcast shape (scalars for scalar arguments):
        zone (int16), hemisphere and band (str), central_meridian, northing, easting (float64:
        northing and easting in metres to hundredths, exactly the values korvane-batch prints),
        grid_reference (str, as the windows write it) and error (str, "" where converted).
        A failed point has NaN numbers, zone 0 and empty texts. The result converts back as it
        is: to_latlong(result).

    The zone is that of the longitude alone: 0 degrees is zone 31, 180 degrees east zone 61;
    there are no regional exceptions. A negative latitude, -0.0 too, is south, with northings
    from 10,000,000 m at the equator.

    Raises ValueError for an unknown ellipsoid (naming the valid ones), arguments whose shapes
    do not broadcast or an unknown `errors`; TypeError for arguments that are not numbers.
    A large array is converted on every core, without the GIL: other threads go on meanwhile.
    """
    position, shift = _ellipsoid_or_shift(ellipsoid, source, datum, outside_area, True)
    _check_errors(errors)
    standard = _check_grid(grid)
    if not standard and (zone is not None or mgrs_precision != 5):
        raise ValueError('zone and mgrs_precision are choices of the standard grid: '
                         'give grid="standard"')
    inputs, shape = _broadcast(
        [_numbers("lat", "latitude", lat), _numbers("lon", "longitude", lon)]
    )
    values = [given.values for given in inputs]
    if standard:
        forced, south = _zone_asked(zone)
        columns = _korvane.to_standard_grid(*values, position, shift, forced, south,
                                            _mgrs_precision(mgrs_precision))
        kind = StandardUtmResult
    else:
        columns = _korvane.to_utm(*values, position, shift)
        kind = UtmResult
    _name_failures(columns[-1], inputs)
    return _with_made(_result(kind, columns, shape, errors),
                      (None if source is not None else ellipsoid, source, datum))


def _with_made(result, made):
    """The to_utm result as one that keeps what it was made on: the ellipsoid's name (None with
    a shift), and the positions' and the grid's datums (None without)."""
    kept = _MADE[type(result)]._make(result)
    kept._made_on = made
    return kept


def from_mgrs(reference, ellipsoid=None, *, errors="coerce", datum=None, target=None,
              outside_area=False):
    """Standard MGRS references to the latitude and longitude of the centres of their squares.

    Arguments:
        reference: a str or an array-like of str, compact ("38PMC0233955355") or with blanks
            between the parts, letters in either case, 0 to 11 digit pairs; UPS references
            ("ZGC2227118959") too. The band and the zone must hold the square. A missing
            element (None, NaN, pandas' NA, a masked one) fails as missing.
        ellipsoid: one of the names that ellipsoids() gives ("WGS 84" when none is given); its
            squares are lettered as the standard letters them (the old AL rows for Clarke 1866,
            Clarke 1880, Bessel 1841 and North American 1927).
        errors: "coerce" (the default) or "raise", as for to_utm.
        datum, target, outside_area: a datum shift, as for to_latlong.

    Returns a StandardLatLongResult of arrays of the argument's shape: latitude, longitude
    (float64) and error. Raises ValueError for an unknown ellipsoid; TypeError for references
    that are not texts.
    """
    position, shift = _ellipsoid_or_shift(ellipsoid, target, datum, outside_area, False)
    _check_errors(errors)
    texts, missing = _reference_texts(reference)
    shape = texts.shape
    width = max(texts.dtype.itemsize // 4, 1)
    flat = np.ascontiguousarray(texts.reshape(-1)).astype(f"<U{width}")
    codes = flat.view(np.uint32).reshape(-1) if flat.size else np.zeros(0, np.uint32)
    columns = _korvane.from_mgrs(codes, width, position, shift)
    if missing is not None:
        columns[-1][missing.reshape(-1)] = "the MGRS reference is missing"
    return _result(StandardLatLongResult, columns, shape, errors)


def _reference_texts(reference):
    """The references as a NumPy str array, and where they are missing (None when none is)."""
    masked = np.ma.getmaskarray(reference) if np.ma.isMaskedArray(reference) else None
    texts = np.asarray(np.ma.getdata(reference) if masked is not None else reference)
    if texts.size == 0:
        return texts.astype("<U1"), None
    if texts.dtype.kind == "O":
        kinds = [isinstance(t, str) for t in texts.flat]
        if not all(k or _is_missing(t) for k, t in zip(kinds, texts.flat)):
            raise TypeError("reference must be texts (str), or missing")
        gaps = np.array([not k for k in kinds]).reshape(texts.shape)
        masked = gaps if masked is None else masked | gaps
        texts = np.where(gaps, "", texts).astype(str)
    if texts.dtype.kind != "U":
        raise TypeError(f"reference must be texts, not {texts.dtype}")
    if masked is not None and masked.any():
        return np.where(masked, "", texts), masked
    return texts, None


def _is_missing(value):
    """None, NaN or pandas' NA."""
    return value is None or value is getattr(_pandas(), "NA", None) or value != value


def to_latlong(
    northing,
    easting=None,
    zone=None,
    hemisphere=None,
    ellipsoid=None,
    *,
    errors="coerce",
    grid="windows",
    forced=False,
    datum=None,
    target=None,
    outside_area=False,
):
    """UTM to latitude and longitude, with the UTM window's texts and korvane-batch's digits,
    or on the standard grid.

    to_latlong(result) converts a result of to_utm back: its northings, eastings, zones and
    hemispheres, on the grid, the ellipsoid and the datums it was made on, a point that failed to
    UTM keeping its reason.

    Arguments:
        northing, easting: metres, numbers or array-likes of an integer or floating dtype; a
            southern northing counts from 10,000,000 at the equator. A masked element fails as
            a missing point.
        zone: whole numbers (integer dtype, or floats without a fraction).
        On the windows grid, a position must lie on the grid as korvane-batch reads it: zone 1
        to 60 (61 for 180 degrees east), easting 100,000 to 900,000, northing 0 to 10,000,000,
        and not beyond the pole; any other fails for its point, with the reason.
        hemisphere: "N" or "S" (either case), a str or an array-like of them. Any other str
            given alone raises ValueError; in an array, any other value, or a missing one
            (None, pandas' NA, a masked element), fails for its point with a reason naming it.
        ellipsoid: one of the names that ellipsoids() gives; "WGS 84" when none is given.
        errors: "coerce" (the default) or "raise", as for to_utm.
        grid: "windows" (the default) or "standard", as for to_utm: on the standard grid the
            zone 0 is UPS, and the coordinates must lie in the standard ranges of UTM and UPS
            (GeographicLib's), or, with forced=True, anywhere a zone asked for reaches.
        datum, target: a datum shift, in either grid: the grid's datum and the datum the
            positions are wanted on, by EPSG code or by a name PROJ knows, as for to_utm; each
            position is found on the grid datum's ellipsoid (exact axes) and then shifted.
        outside_area: as for to_utm.
        All four broadcast together.

    On the standard grid, returns a StandardLatLongResult: latitude, longitude and error.

    Returns a LatLongResult of arrays in the broadcast shape (scalars for scalar arguments):
        latitude, longitude (float64 signed decimal degrees, north and east positive); the
        texts the UTM window shows, latitude_degrees, latitude_minutes, latitude_seconds,
        latitude_hemisphere and the same for the longitude (seconds to two decimals, "60" left
        as the window leaves it); grid_reference and error (str, "" where converted). A failed
        point has NaN numbers and empty texts.

    Raises ValueError for an unknown ellipsoid, shapes that do not broadcast, an unknown
    `errors` or a single hemisphere that is not N or S; TypeError for arguments that are not
    numbers, or hemispheres that are not texts.
    A large array is converted on every core, without the GIL: other threads go on meanwhile.
    """
    if isinstance(northing, (UtmResult, StandardUtmResult)):
        if easting is not None or zone is not None or hemisphere is not None:
            raise TypeError("to_latlong takes a to_utm result alone; give the ellipsoid by name: "
                            "to_latlong(result, ellipsoid=...)")
        made = getattr(northing, "_made_on", None)
        if made is not None:
            ellipsoid, target, datum = _as_made(made, ellipsoid, target, datum)
        chosen = _ellipsoid_or_shift(ellipsoid, target, datum, outside_area, False)
        return _back_from_utm(northing, chosen, errors)
    if easting is None or zone is None or hemisphere is None:
        raise TypeError("to_latlong needs the northing, easting, zone and hemisphere, or a "
                        "result of to_utm")
    chosen = _ellipsoid_or_shift(ellipsoid, target, datum, outside_area, False)
    _check_errors(errors)
    standard = _check_grid(grid)
    if forced and not standard:
        raise ValueError('forced is a choice of the standard grid: give grid="standard"')
    return _to_latlong(northing, easting, zone, hemisphere, chosen, errors,
                       standard=standard, forced=bool(forced))


def _to_latlong(northing, easting, zone, hemisphere, chosen, errors, carried=None,
                standard=False, forced=False):
    """to_latlong on checked arguments, `chosen` the ellipsoid's list position and the datum
    shift; `carried` are reasons of failures from before, which stand for their elements' own
    ("" for none)."""
    inputs, shape = _broadcast(
        [
            _numbers("northing", "northing", northing),
            _numbers("easting", "easting", easting),
            _numbers("zone", "zone", zone),
            _hemisphere_codes(hemisphere),
        ]
    )
    values = [given.values for given in inputs]
    if standard:
        columns = _korvane.from_standard_grid(*values, *chosen, forced)
    else:
        columns = _korvane.to_latlong(*values, *chosen)
    _name_failures(columns[-1], inputs)
    if carried is not None:
        before = np.broadcast_to(carried, shape).reshape(-1)
        columns[-1][before != ""] = before[before != ""]
    return _result(StandardLatLongResult if standard else LatLongResult, columns, shape, errors)


def _back_from_utm(utm, chosen, errors):
    """A to_utm result converted back, on its own grid: a point that failed keeps its reason.
    A standard result may hold positions of a zone asked for, so their wider ranges are
    taken. `chosen` is what _ellipsoid_or_shift gives."""
    _check_errors(errors)
    error = np.asarray(utm.error, dtype=object)
    hemisphere = np.where(error == "", utm.hemisphere, "N")  # a letter where none was given
    standard = isinstance(utm, StandardUtmResult)
    return _to_latlong(utm.northing, utm.easting, utm.zone, hemisphere, chosen, errors, error,
                       standard=standard, forced=standard)


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
        nearest = _korvane.nearest_ellipsoid(ellipsoid)
        raise ValueError(
            f"unknown ellipsoid {ellipsoid!r}; did you mean {nearest!r}? "
            f"The ellipsoids are {names}"
        )
    return position


def datum_shift(positions, grid, *, towards_grid=True):
    """What a datum shift between two datums is, as PROJ resolves it: a dict of the positions'
    datum and the grid's (name, code, and a note on how a name was resolved), the grid datum's
    ellipsoid (PROJ's name and its axes a, b in metres), PROJ's transformations for the pair
    (each with its stated accuracy and area of use; PROJ chooses among them by each position's
    area), and whether only a ballpark transformation was found.

    towards_grid: from the positions' datum to the grid's, as to_utm shifts (the default), or
    back, as to_latlong does. Raises ValueError for a datum PROJ does not know, naming close
    ones and how to list them.
    """
    shift = _korvane.DatumShift(positions, grid, towards_grid, False)
    names = ("name", "code", "note")
    return {
        "positions": dict(zip(names, shift.positions)),
        "grid": dict(zip(names, shift.grid)),
        "ellipsoid": dict(zip(("name", "a", "b"), shift.ellipsoid)),
        "transformations": shift.operations,
        "only_ballpark": shift.only_ballpark,
    }


def _as_made(made, ellipsoid, target, datum):
    """The ellipsoid and the datums to convert a to_utm result back on: those it was made on,
    which what is given must not contradict."""
    made_ellipsoid, made_source, made_datum = made
    if made_source is None:
        if target is not None or datum is not None:
            raise ValueError("the result was made without a datum shift: give no datum= or "
                             "target=")
        if ellipsoid is not None and _list_position(ellipsoid) != _list_position(made_ellipsoid):
            raise ValueError(f"the result was made on {made_ellipsoid!r}, not {ellipsoid!r}")
        return made_ellipsoid, None, None
    if ellipsoid is not None:
        raise ValueError(f"the result was made on the grid of {made_datum!r} (a datum shift): "
                         f"give no ellipsoid")
    if datum is not None and datum != made_datum:
        raise ValueError(f"the result is on the grid of {made_datum!r}, not {datum!r}")
    return None, made_source if target is None else target, made_datum


def _ellipsoid_or_shift(ellipsoid, positions, grid, outside_area, towards_grid):
    """The windows' list position of the ellipsoid ("WGS 84" for None), and the datum shift (or
    None) that the compiled module takes: with a shift, the grid datum's own ellipsoid."""
    if positions is None and grid is None:
        if outside_area:
            raise ValueError("outside_area is for a datum shift")
        return _list_position("WGS 84" if ellipsoid is None else ellipsoid), None
    names = ("source", "datum") if towards_grid else ("target", "datum")
    if positions is None or grid is None:
        raise ValueError(f"a datum shift needs both {names[0]}= (the positions' datum) and "
                         f"datum= (the grid's)")
    if ellipsoid is not None and (not towards_grid or ellipsoid != "WGS 84"):
        raise ValueError(f"ellipsoid chooses an ellipsoid without a datum shift; with "
                         f"{names[0]}=, datum= names the grid's datum")
    for name, value in zip(names, (positions, grid)):
        if not isinstance(value, str):
            raise TypeError(f"{name} must be a str, an EPSG code or a name PROJ knows, not "
                            f"{type(value).__name__}")
    return 0, _korvane.DatumShift(positions, grid, towards_grid, bool(outside_area))


def _check_grid(grid):
    """Whether the grid named is the standard one."""
    if grid not in _GRIDS:
        raise ValueError(f'grid must be "windows" or "standard", not {grid!r}')
    return grid == "standard"


def _zone_asked(zone):
    """A zone asked for as the compiled module takes it: the zone or None, and whether the
    hemisphere asked for is south (None for the latitude's own)."""
    if zone is None:
        return None, None
    if isinstance(zone, str):
        text = zone.strip().upper()
        if text == "UPS":
            return 0, None
        letter = text[-1:] if text[-1:] in ("N", "S") else ""
        digits = text[: len(text) - len(letter)]
        if digits.isdigit() and 1 <= int(digits) <= 60:
            return int(digits), (letter == "S") if letter else None
    elif isinstance(zone, (int, np.integer)) and not isinstance(zone, bool) and 0 <= zone <= 60:
        return int(zone), None
    raise ValueError(f'zone must be 1 to 60, "31N" or "31S", or "UPS" (0), not {zone!r}')


def _mgrs_precision(precision):
    if not isinstance(precision, (int, np.integer)) or isinstance(precision, bool) or not (
        0 <= precision <= 5
    ):
        raise ValueError(f"mgrs_precision must be 0 to 5 digit pairs, not {precision!r}")
    return int(precision)


def _check_errors(errors):
    if errors not in _ERRORS:
        raise ValueError(f'errors must be "coerce" or "raise", not {errors!r}')


class _Input(NamedTuple):
    """One argument as the compiled module takes it, and how its failing elements are named."""

    name: str  # the argument's name
    values: np.ndarray  # float64, or the hemisphere codes
    # Elements whose own failure text is replaced: for numbers, the missing ones (masked, or NA
    # of pandas' nullable types), which the module sees as NaN; for hemispheres, those that are
    # not a letter. None where there are none.
    named: np.ndarray | None
    failure: str  # the module's text for such an element
    reasons: np.ndarray | None  # the text that replaces it, element by element


def _numbers(name, role, value):
    """The argument as float64, a masked element as a missing point, NaN to the module."""
    missing = None
    if np.ma.isMaskedArray(value):
        missing = np.ma.getmaskarray(value)
        value = np.ma.getdata(value)
    array = np.asarray(value)
    if array.dtype.kind not in "iuf":
        raise TypeError(
            f"{name} must be numbers of an integer or floating dtype, not {array.dtype}"
        )
    array = array.astype(np.float64, copy=missing is not None and missing.any())
    if missing is None or not missing.any():
        return _Input(name, array, None, "", None)
    array[missing] = np.nan
    return _Input(name, array, missing, f"{role} is NaN", np.array(f"{role} is missing"))


_HEMISPHERE_CODES = {"N": 0, "n": 0, "S": 1, "s": 1}
_NOT_A_HEMISPHERE = "the hemisphere must be N or S"


def _hemisphere_code(letter):
    return _HEMISPHERE_CODES.get(letter, -1) if isinstance(letter, str) else -1


def _hemisphere_reason(value):
    if _is_missing(value):
        return "the hemisphere is missing"
    return f"hemisphere {value!r} is not N or S"


def _pandas():
    """pandas if it has been imported: only a pandas NA can be one."""
    import sys

    return sys.modules.get("pandas")


def _hemisphere_codes(hemisphere):
    """The hemisphere letters as the compiled module takes them: 0 N, 1 S, -1 anything else.

    A single value that is not a letter is refused at once; in an array it fails its element,
    with a reason naming it."""
    letters = np.asarray(hemisphere, dtype=object if np.ma.isMaskedArray(hemisphere) else None)
    if np.ma.isMaskedArray(hemisphere):
        letters[np.ma.getmaskarray(hemisphere)] = None
    if letters.dtype.kind not in "UO":
        raise TypeError(f'hemisphere must be the texts "N" or "S", not {letters.dtype}')
    if letters.dtype.kind == "U":
        codes = np.full(letters.shape, -1, dtype=np.int8)
        codes[(letters == "N") | (letters == "n")] = 0
        codes[(letters == "S") | (letters == "s")] = 1
    else:  # element by element: None and pandas' NA compare as no text does
        codes = np.fromiter(map(_hemisphere_code, letters.flat), np.int8, letters.size)
        codes = codes.reshape(letters.shape)
    if letters.ndim == 0 and codes < 0:
        raise ValueError(f'hemisphere must be "N" or "S", not {letters[()]!r}')
    bad = codes < 0
    if not bad.any():
        return _Input("hemisphere", codes, None, "", None)
    reasons = np.full(letters.shape, "", dtype=object)
    reasons[bad] = [_hemisphere_reason(value) for value in letters[bad]]
    return _Input("hemisphere", codes, bad, _NOT_A_HEMISPHERE, reasons)


def _broadcast(inputs):
    """The inputs broadcast together, each flat and contiguous, and their common shape."""
    try:
        shape = np.broadcast_shapes(*(given.values.shape for given in inputs))
    except ValueError:
        shapes = ", ".join(f"{given.name} {given.values.shape}" for given in inputs)
        raise ValueError(f"the arguments' shapes do not broadcast together: {shapes}") from None

    def flat(array):
        if array is None:
            return None
        return np.ascontiguousarray(np.broadcast_to(array, shape)).reshape(-1)

    def flat_reasons(reasons):  # one text for all stays one
        return reasons if reasons is None or reasons.ndim == 0 else flat(reasons)

    return [
        _Input(given.name, flat(given.values), flat(given.named), given.failure,
               flat_reasons(given.reasons))
        for given in inputs
    ], shape


def _name_failures(error, inputs):
    """Gives the elements that failed for a missing number or an unusable hemisphere their own
    reason in place of the module's, where that was the element's first failure."""
    for given in inputs:
        if given.named is not None:
            replace = given.named & (error == given.failure)
            error[replace] = given.reasons[replace] if given.reasons.ndim else given.reasons[()]


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
