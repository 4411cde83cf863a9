"""korvane over Dask data frames: korvane.pandas on every partition, where the partition is.

The functions are lazy, as Dask's are: they check the column names and the ellipsoid at once
and give a Dask frame whose partitions are converted when it is computed, by whichever workers
hold them. On a cluster, every worker needs the korvane package installed.
"""

from . import pandas as korvane_pandas

__all__ = ["to_latlong", "to_utm"]


def to_utm(frame, lat="lat", lon="lon", ellipsoid="WGS 84", *, errors="coerce", prefix="",
           **options):
    """korvane.pandas.to_utm on each partition of the Dask data frame; see there.

    errors="raise" raises korvane.ConversionError, with the row label, when the failing
    partition is computed.
    """
    options = {"errors": errors, "prefix": prefix, **options}
    meta = korvane_pandas.to_utm(frame._meta, lat, lon, ellipsoid, **options)
    return frame.map_partitions(korvane_pandas.to_utm, lat, lon, ellipsoid, meta=meta, **options)


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
    **options,
):
    """korvane.pandas.to_latlong on each partition of the Dask data frame; see there."""
    options = {"errors": errors, "prefix": prefix, **options}
    arguments = (northing, easting, zone, hemisphere, ellipsoid)
    meta = korvane_pandas.to_latlong(frame._meta, *arguments, **options)
    return frame.map_partitions(korvane_pandas.to_latlong, *arguments, meta=meta, **options)
