"""korvane.pandas and korvane.dask: results beside each row's own columns, and a Dask cluster
of two worker processes giving korvane-batch's answers row for row."""

import os
import subprocess

import numpy as np
import pandas as pd
import pytest

import korvane
import korvane.dask
import korvane.pandas

FRAME = pd.DataFrame(
    {"name": ["window", "sydney", "beyond"], "lat": [15.875308, -33.86, 91.0],
     "lon": [44.0877772, 151.21, 0.0]},
    index=[10, 20, 30],
)


def test_pandas_adds_the_results_beside_each_rows_own_columns():
    utm = korvane.pandas.to_utm(FRAME)
    assert list(utm.columns) == ["name", "lat", "lon", *korvane.UtmResult._fields]
    assert list(utm.index) == [10, 20, 30] and list(utm.name) == list(FRAME.name)
    assert utm.loc[20, "grid_reference"] == "56 H   LH  34416  51925"
    assert utm.loc[30, "error"] == "latitude 91 is outside 0 to 90 degrees"
    assert np.isnan(utm.loc[30, "northing"]) and list(FRAME.columns) == ["name", "lat", "lon"]
    converted = utm.loc[[10, 20]].assign(hemisphere=["N", "S"])
    back = korvane.pandas.to_latlong(converted, prefix="back_")
    assert list(back.back_latitude.round(5)) == [15.87531, -33.86]
    assert list(back.back_latitude_seconds) == ["31.11", "36"]


@pytest.mark.parametrize("call, error, message", [
    (lambda: korvane.pandas.to_utm(FRAME, errors="raise"), korvane.ConversionError,
     "^row 30: latitude 91 is outside"),
    (lambda: korvane.pandas.to_utm(korvane.pandas.to_utm(FRAME)), ValueError, "prefix"),
    (lambda: korvane.pandas.to_utm(FRAME, lat="latitude"), KeyError, "no column 'latitude'"),
    (lambda: korvane.pandas.to_utm(FRAME, lat="name"), TypeError, "column 'name'"),
])
def test_pandas_refuses_with_a_reason(call, error, message):
    with pytest.raises(error, match=message):
        call()


def test_pandas_takes_nullable_columns_and_names_a_duplicated_one():
    frame = pd.DataFrame({
        "northing": pd.array([5e6, 5e6, None, 5e6], dtype="Float64"),
        "easting": pd.array([500000, 500000, 500000, 500000], dtype="Int64"),
        "zone": pd.array([31, 31, 31, None], dtype="Int64"),
        "hemisphere": pd.array(["N", None, "S", "S"], dtype="string"),
    })
    back = korvane.pandas.to_latlong(frame)
    assert list(back.error) == ["", "the hemisphere is missing", "northing is missing",
                                "zone is missing"]
    assert back.latitude.notna().tolist() == [True, False, False, False]
    whole = frame.astype({"northing": "Float64"}).iloc[[0]]  # nullable, nothing missing
    assert korvane.pandas.to_latlong(whole).error.tolist() == [""]
    with pytest.raises(korvane.ConversionError, match="^row 1: the hemisphere is missing"):
        korvane.pandas.to_latlong(frame, errors="raise")
    twice = pd.DataFrame([[45.0, 3.0, 4.0]], columns=["lat", "lon", "lon"])
    with pytest.raises(ValueError, match="2 columns named 'lon'"):
        korvane.pandas.to_utm(twice)


def test_pandas_results_convert_back_as_they_are():
    back = korvane.pandas.to_latlong(korvane.pandas.to_utm(FRAME))
    assert list(back.latitude.round(5)[:2]) == [15.87531, -33.86]
    assert back.loc[30, "error"] == "latitude 91 is outside 0 to 90 degrees"  # carried on
    assert list(back.grid_reference[:2]) == ["38 P   MC  02336  55355", "56 H   LH  34416  51925"]
    prefixed = korvane.pandas.to_utm(FRAME, prefix="utm_")
    again = korvane.pandas.to_latlong(prefixed, "utm_northing", "utm_easting", "utm_zone",
                                      "utm_hemisphere")
    assert again.loc[30, "error"] == again.loc[30, "utm_error"]


def test_pandas_on_the_standard_grid_and_back():
    utm = korvane.pandas.to_utm(FRAME, grid="standard", mgrs_precision=3)
    assert list(utm.columns[3:]) == list(korvane.StandardUtmResult._fields)
    assert list(utm.mgrs) == ["38PMC023553", "56HLH344519", ""]
    back = korvane.pandas.to_latlong(utm)  # on the grid the frame was made on
    assert list(back.latitude.round(9)[:2]) == [15.875308, -33.86]
    assert back.loc[30, "error"] == "latitude 91 is outside -90 to 90 degrees"


def test_pandas_prefix_keeps_earlier_results():
    again = korvane.pandas.to_utm(korvane.pandas.to_utm(FRAME), prefix="utm_")
    assert list(again.utm_zone) == list(again.zone) == [38, 56, 0]


def batch(direction, path):
    answer = subprocess.run([os.environ["KORVANE_BATCH"], direction, str(path)],
                            capture_output=True, text=True, check=False)
    return answer.stdout.splitlines()[1:]  # after the header's answer


def fixed(value, decimals):
    # As korvane-batch writes decimal degrees: a value that shows as zero has no sign.
    text = f"{value:.{decimals}f}"
    return text[1:] if text.startswith("-") and not text.strip("-0.") else text


def test_a_dask_cluster_gives_korvane_batchs_answers(tmp_path):
    import dask.dataframe as dd
    from dask.distributed import Client, LocalCluster

    rng = np.random.default_rng(3)
    lat, lon = rng.uniform(-89.9, 89.9, 4000).round(6), rng.uniform(-180, 180, 4000).round(6)
    lat[::97], lat[1], lon[2] = 90.5, -0.0, -0.0  # failures, and zero from the south and west
    points = tmp_path / "points.csv"
    points.write_text("lat,lon\n" + "".join(f"{a!r},{b!r}\n" for a, b in zip(lat, lon)))
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                      dashboard_address=None) as cluster, Client(cluster):
        frame = dd.read_csv(points, blocksize=25_000, float_precision="round_trip")
        assert frame.npartitions >= 3
        utm = korvane.dask.to_utm(frame).compute()
        grid = tmp_path / "grid.csv"
        converted = utm[utm.error == ""]
        hemisphere = np.where(np.signbit(converted.lat), "S", "N")
        rows = zip(converted.northing, converted.easting, converted.zone, hemisphere)
        grid.write_text("northing,easting,zone,hemisphere\n" + "".join(
            f"{n:.2f},{e:.2f},{z},{h}\n" for n, e, z, h in rows))
        latlong = korvane.dask.to_latlong(
            dd.read_csv(grid, blocksize=25_000, float_precision="round_trip")).compute()

    assert len(utm) == 4000 and (utm.error != "").sum() == 42
    assert batch("to-utm", points) == [
        f"Error\t{r.error}" if r.error else
        f"{r.zone}\t{r.band}\t{r.central_meridian:.0f}\t{r.northing:.2f}\t{r.easting:.2f}\t"
        f"{r.grid_reference}" for r in utm.itertuples()]
    texts = list(korvane.LatLongResult._fields[2:11])
    assert batch("to-latlong", grid) == ["\t".join(
        [*r[texts], fixed(r.latitude, 9), fixed(r.longitude, 9)]) for _, r in latlong.iterrows()]


def test_pandas_shifts_datums():
    paris = pd.DataFrame({"lat": [48.8566], "lon": [2.3522]})
    utm = korvane.pandas.to_utm(paris, source="EPSG:4326", datum="ED50", grid="standard")
    assert round(utm.easting[0], 3) == 452574.576  # as cs2cs EPSG:4326 EPSG:23031 gives it
    back = korvane.pandas.to_latlong(utm, datum="ED50", target="EPSG:4326")
    assert abs(back.latitude[0] - 48.8566) < 1e-7


def test_pandas_converts_back_on_the_frames_own_ellipsoid():
    paris = pd.DataFrame({"lat": [48.8566], "lon": [2.3522]})
    back = korvane.pandas.to_latlong(korvane.pandas.to_utm(paris, ellipsoid="Clarke 1866"))
    assert abs(back.latitude[0] - 48.8566) < 1e-6
