from typing import Any, Literal, NamedTuple, overload

import numpy as np
import numpy.typing as npt

from . import dask as dask
from . import pandas as pandas

_Errors = Literal["coerce", "raise"]

__version__: str

class ConversionError(ValueError):
    index: Any
    reason: str
    def __init__(self, index: Any, reason: str, where: str) -> None: ...

class UtmResult(NamedTuple):
    zone: Any
    hemisphere: Any
    band: Any
    central_meridian: Any
    northing: Any
    easting: Any
    grid_reference: Any
    error: Any

class LatLongResult(NamedTuple):
    latitude: Any
    longitude: Any
    latitude_degrees: Any
    latitude_minutes: Any
    latitude_seconds: Any
    latitude_hemisphere: Any
    longitude_degrees: Any
    longitude_minutes: Any
    longitude_seconds: Any
    longitude_hemisphere: Any
    grid_reference: Any
    error: Any

class StandardUtmResult(NamedTuple):
    zone: Any
    hemisphere: Any
    easting: Any
    northing: Any
    mgrs: Any
    error: Any

class StandardLatLongResult(NamedTuple):
    latitude: Any
    longitude: Any
    error: Any

_Grid = Literal["windows", "standard"]

def ellipsoids() -> list[str]: ...
def from_mgrs(
    reference: str | npt.ArrayLike,
    ellipsoid: str | None = None,
    *,
    errors: _Errors = "coerce",
    datum: str | None = None,
    target: str | None = None,
    outside_area: bool = False,
) -> StandardLatLongResult: ...
def datum_shift(positions: str, grid: str, *, towards_grid: bool = True) -> dict[str, Any]: ...
def to_utm(
    lat: npt.ArrayLike,
    lon: npt.ArrayLike,
    ellipsoid: str = "WGS 84",
    *,
    errors: _Errors = "coerce",
    grid: _Grid = "windows",
    zone: int | str | None = None,
    mgrs_precision: int = 5,
    source: str | None = None,
    datum: str | None = None,
    outside_area: bool = False,
) -> UtmResult | StandardUtmResult: ...
@overload
def to_latlong(
    northing: UtmResult,
    *,
    ellipsoid: str | None = None,
    errors: _Errors = "coerce",
    datum: str | None = None,
    target: str | None = None,
    outside_area: bool = False,
) -> LatLongResult: ...
@overload
def to_latlong(
    northing: StandardUtmResult,
    *,
    ellipsoid: str | None = None,
    errors: _Errors = "coerce",
    datum: str | None = None,
    target: str | None = None,
    outside_area: bool = False,
) -> StandardLatLongResult: ...
@overload
def to_latlong(
    northing: npt.ArrayLike,
    easting: npt.ArrayLike,
    zone: npt.ArrayLike,
    hemisphere: str | npt.ArrayLike,
    ellipsoid: str | None = None,
    *,
    errors: _Errors = "coerce",
    grid: _Grid = "windows",
    forced: bool = False,
    datum: str | None = None,
    target: str | None = None,
    outside_area: bool = False,
) -> LatLongResult | StandardLatLongResult: ...
