from typing import Hashable, Literal

import pandas as pd

def to_utm(
    frame: pd.DataFrame,
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
) -> pd.DataFrame: ...
def to_latlong(
    frame: pd.DataFrame,
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
) -> pd.DataFrame: ...
