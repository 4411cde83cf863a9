from typing import Hashable, Literal

import dask.dataframe as dd

def to_utm(
    frame: dd.DataFrame,
    lat: Hashable = "lat",
    lon: Hashable = "lon",
    ellipsoid: str = "WGS 84",
    *,
    errors: Literal["coerce", "raise"] = "coerce",
    prefix: str = "",
    grid: Literal["windows", "standard"] = "windows",
    zone: int | str | None = None,
    mgrs_precision: int = 5,
    source: str | None = None,
    datum: str | None = None,
    outside_area: bool = False,
) -> dd.DataFrame: ...
def to_latlong(
    frame: dd.DataFrame,
    northing: Hashable = "northing",
    easting: Hashable = "easting",
    zone: Hashable = "zone",
    hemisphere: Hashable = "hemisphere",
    ellipsoid: str | None = None,
    *,
    errors: Literal["coerce", "raise"] = "coerce",
    prefix: str = "",
    grid: Literal["windows", "standard"] | None = None,
    forced: bool = False,
    datum: str | None = None,
    target: str | None = None,
    outside_area: bool = False,
) -> dd.DataFrame: ...
