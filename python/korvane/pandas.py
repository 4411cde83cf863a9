"""korvane over pandas data frames: the results as columns beside the frame's own.

Whatever else a row holds (a name, an identifier, a time) stays on the row of its point. The
frame is not changed: each function gives a new frame with the result columns added, named as
the fields of korvane's results (korvane.UtmResult, korvane.LatLongResult and their standard
grid's), after `prefix` when one is given.
"""

import numpy as np
import pandas as pd

import korvane

__all__ = ["to_latlong", "to_utm"]

# The frame attribute in which to_utm keeps what its columns were made on.
_MADE_ON = "korvane_made_on"


def to_utm(frame, lat="lat", lon="lon", ellipsoid="WGS 84", *, errors="coerce", prefix="",
           **options):
    """The frame with the columns of korvane.to_utm added for the points in columns lat and lon.

    lat and lon name the columns of signed decimal degrees (NumPy numbers, or pandas' nullable
    Int64, Float64 and the like, whose missing values are missing points). The added columns
    are the fields of korvane.UtmResult (zone, hemisphere, band, central_meridian, northing,
    easting, grid_reference, error), or with grid="standard" of korvane.StandardUtmResult, each
    after `prefix`; grid, zone, mgrs_precision, source, datum and outside_area are
    korvane.to_utm's. errors="raise" raises
    korvane.ConversionError naming the row label of the first point that fails. Raises KeyError
    for a missing column and ValueError when the frame already has a column of a result's name,
    or two columns of the name given; otherwise as korvane.to_utm.
    """
    columns = _columns(frame, lat=lat, lon=lon)
    kind = korvane.StandardUtmResult if options.get("grid") == "standard" else korvane.UtmResult
    _check_free(frame, kind._fields, prefix)
    result = korvane.to_utm(*columns, ellipsoid, errors="coerce", **options)
    converted = _with_result(frame, result, errors, prefix)
    # What the columns were made on, for to_latlong to convert them back on.
    converted.attrs[_MADE_ON] = result._made_on
    return converted


def to_latlong(
    frame,
    northing="northing",
    easting="easting",
    zone="zone",
    hemisphere="hemisphere",
    ellipsoid=None,
    *,
    errors="coerce",
    prefix="",
    grid=None,
    **options,
):
    """The frame with the columns of korvane.to_latlong added for the points in the named columns.

    northing, easting, zone and hemisphere name the columns (hemisphere holds "N" or "S"; for
    one hemisphere throughout, add it first: frame.assign(hemisphere="N")). The added columns
    are the fields of korvane.LatLongResult (latitude, longitude, the degree, minute, second
    and hemisphere texts of both, grid_reference and error), or on the standard grid of
    korvane.StandardLatLongResult, each after `prefix`. errors="raise" raises
    korvane.ConversionError naming the row label of the first point that fails. Raises KeyError
    for a missing column and ValueError when the frame already has a column of a result's name;
    otherwise as korvane.to_latlong.

    grid is "windows" or "standard" as for korvane.to_latlong; by default the grid of the
    to_utm result the frame holds, else "windows". The other options (forced, datum, target,
    outside_area) are korvane.to_latlong's.

    A frame that to_utm made converts back as it is, to_latlong(to_utm(frame)), on the grid it
    was made on: its grid_reference and error columns are then replaced by the round trip's,
    and a point that failed to UTM keeps its reason.
    """
    columns = _columns(
        frame, northing=northing, easting=easting, zone=zone, hemisphere=hemisphere
    )
    made = _made_by_to_utm(frame, northing)
    if grid is None:
        grid = "standard" if made is korvane.StandardUtmResult else "windows"
    kind = korvane.StandardLatLongResult if grid == "standard" else korvane.LatLongResult
    chained = made is not None and (made is korvane.StandardUtmResult) == (grid == "standard")
    replaced = ("grid_reference", "error") if chained else ()
    _check_free(frame, kind._fields, prefix, replaced)
    if not chained:
        result = korvane.to_latlong(*columns, ellipsoid, errors="coerce", grid=grid, **options)
    else:
        fields = dict(zip(("northing", "easting", "zone", "hemisphere"), columns))
        fields["error"] = frame[northing[: -len("northing")] + "error"].to_numpy(dtype=object)
        utm = made(**{field: fields.get(field) for field in made._fields})
        if _MADE_ON in frame.attrs:
            utm = korvane._with_made(utm, frame.attrs[_MADE_ON])
        result = korvane.to_latlong(utm, ellipsoid=ellipsoid, **options)
    return _with_result(frame, result, errors, prefix)


def _made_by_to_utm(frame, northing):
    """The kind of result (korvane.UtmResult or korvane.StandardUtmResult) whose columns the
    frame holds, named after the prefix of `northing`; None for any other frame."""
    if not northing.endswith("northing"):
        return None
    prefix = northing[: -len("northing")]
    for kind in (korvane.StandardUtmResult, korvane.UtmResult):
        if all(prefix + field in frame.columns for field in kind._fields):
            return kind
    return None


def _columns(frame, **names):
    if not isinstance(frame, pd.DataFrame):
        raise TypeError(f"frame must be a pandas DataFrame, not {type(frame).__name__}")
    missing = [name for name in names.values() if name not in frame.columns]
    if missing:
        columns = list(frame.columns)
        raise KeyError(f"the frame has no column {missing[0]!r}; its columns are {columns}")
    arrays = []
    for role, name in names.items():
        column = frame[name]
        if isinstance(column, pd.DataFrame):
            raise ValueError(
                f"the frame has {column.shape[1]} columns named {name!r}; rename them apart"
            )
        arrays.append(column.to_numpy() if role == "hemisphere" else _numbers(column, role))
    return arrays


def _numbers(column, role):
    """A column of numbers as korvane takes them: pandas' nullable integers and floats as a
    masked array, whose missing values are missing points."""
    dtype = column.dtype
    nullable = isinstance(dtype, pd.api.extensions.ExtensionDtype) and (
        pd.api.types.is_integer_dtype(dtype) or pd.api.types.is_float_dtype(dtype)
    )
    if nullable:
        values = column.to_numpy(dtype="float64", na_value=np.nan)
        return np.ma.masked_array(values, mask=column.isna().to_numpy())
    if getattr(dtype, "kind", "O") not in "iuf":
        raise TypeError(
            f"column {column.name!r} ({role}) must hold numbers of an integer or floating dtype, "
            f"not {dtype}"
        )
    return column.to_numpy()


def _check_free(frame, fields, prefix, replaced=()):
    # A result column must never overwrite one of the frame's own, but for those of to_utm's
    # that a round trip replaces.
    taken = [prefix + field for field in fields
             if prefix + field in frame.columns and field not in replaced]
    if taken:
        raise ValueError(
            f"the frame already has the columns {taken}; pass a prefix for the results"
        )


def _with_result(frame, result, errors, prefix):
    if errors not in ("coerce", "raise"):
        raise ValueError(f'errors must be "coerce" or "raise", not {errors!r}')
    if errors == "raise":
        first = korvane._first_failure(result.error)
        if first is not None:
            label = frame.index[first]
            raise korvane.ConversionError(label, result.error[first], f"row {label!r}")
    added = {prefix + field: column for field, column in zip(result._fields, result)}
    return frame.assign(**added)
