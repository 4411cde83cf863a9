"""korvane over NumPy: the windows' worked examples, broadcasting, failures and arguments."""

import doctest
import os
import resource
import subprocess
import sys
import threading
import time

import numpy as np
import pandas as pd
import pytest

import korvane


def dms(degrees, minutes, seconds):
    # As the Lat/Long window sums its three boxes.
    return (degrees + minutes / 60) + seconds / 3600


WINDOW = dms(15, 52, 31.11), dms(44, 5, 16.11)

# Latitude, longitude; zone, central meridian, northing, easting, grid reference.
TO_UTM = [
    ((0.0, 0.0), (31, 3, 0.00, 166021.55, "31 N   AA  66021  00000")),
    ((-0.0, 0.0), (31, 3, 10000000.00, 166021.55, "31 N   AA  66021  00000")),
    ((45, 3), (31, 3, 4982950.40, 500000.00, "31 T   EK  00000  82950")),
    (WINDOW, (38, 45, 1755355.43, 402339.35, "38 P   MC  02339  55355")),
    ((-WINDOW[0], -WINDOW[1]), (23, -45, 8244644.57, 597660.65, "23 L   NC  97660  44644")),
    ((-33.86, 151.21), (56, 153, 6251925.36, 334416.39, "56 H   LH  34416  51925")),
    ((40.7, -74), (18, -75, 4505935.87, 584482.35, "18 T   WL  84482  05935")),
    ((90, 0), (31, 3, 9997964.94, 500000.00, "31 Z   EV  00000  97964")),
    ((0, 180), (61, 183, 0.00, 166021.55, "61 N   AA  66021  00000")),
    ((0, -180), (1, -177, 0.00, 166021.55, "1 N   AA  66021  00000")),
]

# Northing, easting, zone, hemisphere; the window's latitude and longitude boxes, grid reference.
TO_LATLONG = [
    ((1755352.105, 402336.0, 38, "N"), ("15 52 31 N", "44 5 16 E", "38 P   MC  02336  55352")),
    ((8244644.57, 597660.65, 23, "S"),
     ("15 52 31.11 S", "44 5 16.11 W", "23 L   NC  97660  44644")),
    ((6251925.36, 334416.39, 56, "S"), ("33 51 36 S", "151 12 36 E", "56 H   LH  34416  51925")),
    ((4505935.87, 584482.35, 18, "N"), ("40 42 0 N", "74 0 0 W", "18 T   WL  84482  05935")),
    ((4982950.40, 500000, 31, "n"), ("44 59 60 N", "3 0 0 E", "31 T   EK  00000  82950")),
    ((9997964.94, 500000, 31, "N"), ("89 59 60 N", "3 0 0 E", "31 Z   EV  00000  97964")),
    ((0, 833978.56, 1, "N"), ("0 0 0 N", "173 59 60 W", "1 N   HA  33978  00000")),
]

# Positions off the grid, which the UTM window would still show, fail as korvane-batch fails them.
OFF_THE_GRID = [
    ((10700000, 500000, 31, "N"),
     "northing 10700000 is outside 0 to 10000000, the equator to the pole"),
    ((0, 500000, 0, "N"), "zone 0 is outside 1 to 60 (61 for 180 degrees east)"),
    ((0, 500000, 99999, "N"), "zone 99999 is outside 1 to 60 (61 for 180 degrees east)"),
    ((5000000, 950000, 31, "N"),
     "easting 950000 is outside 100000 to 900000, the 100 km squares a zone letters"),
    ((0, 500000, 31, "S"), "the position lies beyond the pole: latitude -90.018227"),
]


@pytest.mark.parametrize("position, expected", TO_UTM)
def test_to_utm_gives_the_windows_digits(position, expected):
    r = korvane.to_utm(*position)
    assert (r.zone, r.central_meridian, r.northing, r.easting, r.grid_reference) == expected
    assert r.zone.dtype == np.int16 and r.error == ""


@pytest.mark.parametrize("point, expected", TO_LATLONG)
def test_to_latlong_gives_the_windows_texts(point, expected):
    r = korvane.to_latlong(*point)
    shown = (" ".join(r[2:6]), " ".join(r[6:10]), r.grid_reference)
    assert shown == expected and r.error == ""


@pytest.mark.parametrize("point, failure", OFF_THE_GRID)
def test_to_latlong_refuses_positions_off_the_grid(point, failure):
    r = korvane.to_latlong(*point)
    assert r.error == failure and np.isnan(r.latitude) and r.grid_reference == ""


def test_to_latlong_decimal_degrees_and_ellipsoids():
    r = korvane.to_latlong(1755352.105, 402336.0, 38, "N", "everest1830")
    assert (round(r.latitude, 7), round(r.longitude, 7)) == (15.8765499, 44.0876464)
    back = korvane.to_latlong(8244644.57, 597660.65, 23, "S")
    assert abs(back.latitude + WINDOW[0]) * 3600 < 0.0002
    assert korvane.ellipsoids()[:3] == ["WGS 84", "NAD 83", "GRS 80"]
    assert len(korvane.ellipsoids()) == 14


def test_results_convert_back_as_they_are():
    utm = korvane.to_utm([[-33.86, 95.0], [-0.0, 40.7]], [[151.21, 0.0], [3.0, -74.0]],
                         "clarke 1866")
    assert utm.hemisphere.tolist() == [["S", ""], ["S", "N"]]  # -0.0 is south, as converted
    back = korvane.to_latlong(utm, ellipsoid="Clarke 1866")
    assert back.latitude.shape == (2, 2) and back.error[0, 1] == utm.error[0, 1] != ""
    assert np.abs(back.latitude[[0, 1, 1], [0, 0, 1]] - [-33.86, 0.0, 40.7]).max() < 1e-7
    assert back.latitude_hemisphere.tolist() == [["S", ""], ["S", "N"]]
    assert korvane.to_latlong(korvane.to_utm(45, 3)).latitude_degrees == "44"
    with pytest.raises(TypeError, match="by name"):
        korvane.to_latlong(utm, "Clarke 1866")
    with pytest.raises(TypeError, match="northing, easting, zone and hemisphere"):
        korvane.to_latlong(5e6, 5e5)


# The standard grid: korvane-batch's numbers (here to the millimetre it writes), GeoConvert's
# zones and references, the exceptions and the poles; back again as it came.
STANDARD = [
    ((15.875308333333335, 44.08780833333333), (38, "N", 402339.351, 1755355.430, "38PMC0233955355")),
    ((40.7128, -74.006), (18, "N", 583959.372, 4507350.998, "18TWL8395907350")),  # not 07351
    ((60, 5), (32, "N", 276979.926, 6658157.202, "32VKM7697958157")),
    ((78, 10), (33, "N", 384085.475, 8663320.201, "33XUG8408563320")),
    ((85, 10), (0, "N", 2096454.164, 1452981.254, "ZAB9645452981")),
    ((-85, -10), (0, "S", 1903545.836, 2547018.746, "AZT0354547018")),
]


@pytest.mark.parametrize("position, expected", STANDARD)
def test_the_standard_grid_gives_korvane_batchs_numbers(position, expected):
    r = korvane.to_utm(*position, grid="standard")
    assert (r.zone, r.hemisphere, round(r.easting, 3), round(r.northing, 3), r.mgrs) == expected
    back = korvane.to_latlong(r)
    assert isinstance(back, korvane.StandardLatLongResult) and back.error == ""
    assert abs(back.latitude - position[0]) < 1e-11 and abs(back.longitude - position[1]) < 1e-11
    square = korvane.from_mgrs(r.mgrs)
    assert abs(square.latitude - position[0]) < 1e-5 and square.error == ""


def test_the_standard_grids_choices():
    far = korvane.to_utm([45, 45], [7.5, 100], grid="standard", zone=31, mgrs_precision=2)
    assert list(far.mgrs) == ["31THK5492", ""] and "97 degrees" in far.error[1]
    south = korvane.to_utm(-1, 3, grid="standard", zone="31N")
    assert (south.hemisphere, round(south.northing, 3)) == ("N", -110530.159)
    assert korvane.to_latlong(south.northing, 500000, 31, "N", grid="standard").error == ""
    clarke = korvane.from_mgrs(["38PMN023552", "38PMC023553"], "clarke 1866")
    assert clarke.error[0] == "" and "band P" in clarke.error[1]  # the old AL rows
    failed = korvane.to_latlong(
        [1e6, 5e6, 5e6], [5e5, 5e5, 5e5], [0, 61, 31.5], "N", grid="standard")
    assert "outside" in failed.error[0]
    assert list(failed.error[1:]) == [
        "zone 61 is outside 0 (UPS) to 60", "zone 31.5 is not a whole number"]


@pytest.mark.parametrize("call, message", [
    (lambda: korvane.to_utm(1, 2, grid="exact"), "grid must be"),
    (lambda: korvane.to_utm(1, 2, zone=31), "choices of the standard grid"),
    (lambda: korvane.to_utm(1, 2, grid="standard", zone="61"), "zone must be 1 to 60"),
    (lambda: korvane.to_utm(1, 2, grid="standard", mgrs_precision=6), "mgrs_precision"),
    (lambda: korvane.to_latlong(1, 2, 3, "N", forced=True), "forced is a choice"),
])
def test_the_standard_grids_choices_are_checked(call, message):
    with pytest.raises(ValueError, match=message):
        call()


def test_the_package_knows_its_version():
    import importlib.metadata

    assert korvane.__version__ == importlib.metadata.version("korvane") == "1.0"


def test_arguments_broadcast_and_keep_their_shape():
    lat = np.array([[0.0], [45.0]])
    r = korvane.to_utm(lat, [0, 3, 6])
    assert r.northing.shape == (2, 3) and r.grid_reference.shape == (2, 3)
    assert list(r.zone[1]) == [31, 31, 32] and r.northing[1, 1] == 4982950.40
    back = korvane.to_latlong(r.northing, r.easting, r.zone, np.where(lat < 0, "S", "N"))
    assert np.all(np.abs(back.latitude - lat) < 1e-6)


def test_failures_stay_with_their_element():
    r = korvane.to_utm([91, 45, np.nan, 45], [0, 3, 0, np.inf])
    assert list(r.error) == [
        "latitude 91 is outside 0 to 90 degrees", "", "latitude is NaN", "longitude is infinite"]
    assert np.isnan(r.northing[[0, 2, 3]]).all() and r.northing[1] == 4982950.40
    assert list(r.zone) == [0, 31, 0, 0] and list(r.grid_reference)[::2] == ["", ""]
    back = korvane.to_latlong([0, 0, 0, 0], 500000, [31, 31.5, 99999, 31], ["N", "N", "N", "X"])
    assert list(back.error[1:]) == ["zone 31.5 is not a whole number",
                                    "zone 99999 is outside 1 to 60 (61 for 180 degrees east)",
                                    "hemisphere 'X' is not N or S"]
    assert np.isnan(back.latitude[1:]).all() and back.error[0] == ""


def test_errors_raise_names_the_first_failing_element():
    with pytest.raises(korvane.ConversionError) as raised:
        korvane.to_utm([[45, 45], [91, 95]], 3, errors="raise")
    assert raised.value.index == (1, 0)
    assert raised.value.reason == "latitude 91 is outside 0 to 90 degrees"
    with pytest.raises(korvane.ConversionError, match="^element 2: hemisphere '' is not N or S"):
        korvane.to_latlong(5000000, 500000, 31, ["N", "S", ""], errors="raise")


MASKED = np.ma.masked_array([48.85, 0.0, 45.0], mask=[0, 1, 0])


# A missing value (masked, None, pandas' NA, NaN where a text belongs) and a hemisphere that is
# not a letter fail their own element only, named for what they are; the others convert.
@pytest.mark.parametrize("call, errors", [
    (lambda: korvane.to_utm(MASKED, 2.35), ["", "latitude is missing", ""]),
    (lambda: korvane.to_utm(45, np.ma.masked_array([3, 3, 3], mask=[1, 0, 0])),
     ["longitude is missing", "", ""]),
    (lambda: korvane.to_utm(np.ma.masked_array([91, 91], mask=[0, 1]), np.nan),
     ["longitude is NaN", "latitude is missing"]),  # the first failure of each is named
    (lambda: korvane.to_latlong(5e6, 5e5, MASKED * 0 + 31, "N"), ["", "zone is missing", ""]),
    (lambda: korvane.to_latlong(5e6, 5e5, 31, np.array(["N", pd.NA, None], dtype=object)),
     ["", "the hemisphere is missing", "the hemisphere is missing"]),
    (lambda: korvane.to_latlong(5e6, 5e5, 31, pd.array(["N", "S", None], dtype="string")),
     ["", "", "the hemisphere is missing"]),
    (lambda: korvane.to_latlong(5e6, 5e5, 31, ["s", "north", "S "]),
     ["", "hemisphere 'north' is not N or S", "hemisphere 'S ' is not N or S"]),
    (lambda: korvane.to_latlong(5e6, 5e5, 31, np.array(["N", 7, np.nan], dtype=object)),
     ["", "hemisphere 7 is not N or S", "the hemisphere is missing"]),
    (lambda: korvane.to_latlong(5e6, 5e5, 31, np.ma.masked_array(["N", "S"], mask=[1, 0])),
     ["the hemisphere is missing", ""]),
])
def test_missing_and_unusable_values_fail_only_their_element(call, errors):
    r = call()
    assert list(r.error) == errors
    converted = np.asarray(r.error) == ""
    numbers = r.northing if hasattr(r, "northing") else r.latitude
    assert np.isnan(numbers[~converted]).all() and not np.isnan(numbers[converted]).any()


@pytest.mark.parametrize("call, error, message", [
    (lambda: korvane.to_utm(1, 2, "WGS 48"), ValueError,
     "did you mean 'WGS 84'\\? The ellipsoids are 'WGS 84', 'NAD 83'.*'Everest 1830'"),
    (lambda: korvane.to_utm([1, 2], [1, 2, 3]), ValueError, r"lat \(2,\), lon \(3,\)"),
    (lambda: korvane.to_utm(["1"], [2]), TypeError, "lat must be numbers"),
    (lambda: korvane.to_utm(1, 2, errors="ignore"), ValueError, "coerce"),
    (lambda: korvane.to_latlong(0, 0, 31, 1), TypeError, "hemisphere"),
    (lambda: korvane.to_latlong(0, 0, 31, "north"), ValueError, "hemisphere .*'north'"),
    (lambda: korvane.to_latlong(0, 0, 31, None), TypeError, "hemisphere"),
    (lambda: korvane.to_latlong(0, 0, None, "N"), TypeError, "zone"),
])
def test_bad_arguments_are_refused_with_a_reason(call, error, message):
    with pytest.raises(error, match=message):
        call()


def longest_wait_while_two_threads_convert(lat, lon, expected):
    results = [None, None]

    def convert(k):
        results[k] = korvane.to_utm(lat, lon)

    threads = [threading.Thread(target=convert, args=(k,)) for k in range(2)]
    last, longest_wait = time.perf_counter(), 0.0
    for thread in threads:
        thread.start()
    while any(thread.is_alive() for thread in threads):
        now = time.perf_counter()
        last, longest_wait = now, max(longest_wait, now - last)
    for result in results:
        assert np.array_equal(result.northing, expected.northing)
        assert np.array_equal(result.grid_reference, expected.grid_reference)
    return longest_wait


def test_two_threads_convert_at_once():
    rng = np.random.default_rng(7)
    lat, lon = rng.uniform(-80, 84, 400_000), rng.uniform(-180, 180, 400_000)
    begun = time.perf_counter()
    alone = korvane.to_utm(lat, lon)
    alone_seconds = time.perf_counter() - begun
    # This thread runs Python all along: with the GIL held through a conversion, it would stand
    # still each time for about as long as the conversion takes, not only when the machine is
    # busy elsewhere.
    waits = [longest_wait_while_two_threads_convert(lat, lon, alone) for _ in range(3)]
    assert min(waits) < alone_seconds / 3


def in_pieces(convert, *arrays):
    """convert over small pieces of the arrays, each too small to be shared among threads."""
    pieces = [convert(*(a[k:k + 1000] for a in arrays)) for k in range(0, arrays[0].size, 1000)]
    return [np.concatenate(column) for column in zip(*pieces)]


# Large arrays, converted on every core in runs that the threads take in turn: each must give
# what its pieces give, its str columns as wide as their widest text (the expected widths of
# grid references are 22 and 23 characters; far outside a zone and in zone 1000 they grow to
# "1000 M   ?E  -01234  -01234"; failures give none).
rng = np.random.default_rng(11)
LARGE = 100_000
WIDTHS = [
    ("zones 1 to 9 only", korvane.to_utm,
     (rng.uniform(-80, 84, LARGE), rng.uniform(-180, -126.01, LARGE)), 22),
    ("all zones, some failing", korvane.to_utm,
     (np.where(rng.random(LARGE) < 0.01, 95, rng.uniform(-80, 84, LARGE)),
      rng.uniform(-180, 180, LARGE)), 23),
    ("every point failing", korvane.to_utm, (np.full(LARGE, np.nan), np.zeros(LARGE)), 1),
    ("positions off the grid among them", korvane.to_latlong,
     (np.r_[-1234, np.where(np.arange(LARGE) % 997 == 0, -1234, rng.uniform(0, 9e6, LARGE))],
      np.r_[-1234, np.where(rng.random(LARGE) < 0.01, -2.4e8,
                            np.where(np.arange(LARGE) % 1999 == 0, -1234, 5e5))],
      np.r_[1000, np.where(np.arange(LARGE) % 2003 == 0, 1000, rng.integers(1, 61, LARGE))],
      np.concatenate([["N"], np.where(rng.random(LARGE) < 0.01, "X", "N")])), 23),
]


@pytest.mark.parametrize("convert, arrays, width", [w[1:] for w in WIDTHS],
                         ids=[w[0] for w in WIDTHS])
def test_large_arrays_give_what_their_pieces_give(convert, arrays, width):
    whole = convert(*arrays)
    for column, expected in zip(whole, in_pieces(convert, *arrays)):
        np.testing.assert_array_equal(column, expected)
        assert column.dtype == expected.dtype
    assert whole.grid_reference.dtype == np.dtype(f"<U{width}")
    # Every converted point has its grid reference, whichever thread wrote it and however wide.
    np.testing.assert_array_equal(whole.grid_reference != "", whole.error == "")


def references_to_the_empty_text_held_by_a_result(points):
    """What a result of points (a third failing) holds of "", and what it holds after del.

    No assert runs while the result lives: pytest keeps the values an assert compares."""
    lat = np.where(np.arange(points) % 3 == 0, 95.0, 45.0)
    before = sys.getrefcount("")
    result = korvane.to_utm(lat, 3.0)
    held = sys.getrefcount("") - before
    texts = (result.error[0], result.grid_reference[1])
    result.error[1] = "mended"  # it behaves as any object array does
    mended = result.error[1]
    del result
    return held, sys.getrefcount("") - before, texts, mended


@pytest.mark.parametrize("points", [1000, 300_000], ids=["small", "large"])
def test_result_columns_hold_and_let_go_of_their_texts(points):
    # Large columns are made on memory of their own rather than NumPy's: they must behave as
    # NumPy's do, the error column holding a reference to each of its texts and letting go of
    # them all.
    held, left, texts, mended = references_to_the_empty_text_held_by_a_result(points)
    assert (held, left) == (points - (points + 2) // 3, 0)
    assert texts == ("latitude 95 is outside 0 to 90 degrees", "31 T   EK  00000  82950")
    assert mended == "mended"


def test_a_large_array_converts_where_no_thread_can_be_started():
    # A thread's stack (the stack limit) larger than the address space left: the call's own
    # thread converts every point.
    def no_room_for_threads():
        resource.setrlimit(resource.RLIMIT_STACK, (4_000_000_000, resource.RLIM_INFINITY))
        resource.setrlimit(resource.RLIMIT_AS, (3_000_000_000, resource.RLIM_INFINITY))

    script = ("import numpy as np, korvane\n"
              "r = korvane.to_utm(np.full(100_000, 45.0), 3.0, errors='raise')\n"
              "print(r.northing[-1], r.grid_reference[-1])")
    ran = subprocess.run([sys.executable, "-c", script], preexec_fn=no_room_for_threads,
                         capture_output=True, text=True, check=False)
    assert (ran.returncode, ran.stdout) == (0, "4982950.4 31 T   EK  00000  82950\n"), ran.stderr


def test_the_package_documents_itself():
    assert doctest.testmod(korvane).failed == 0
    assert "grid_reference" in korvane.to_utm.__doc__ and "Raises" in korvane.to_latlong.__doc__


def memory_under(column):
    """The array at the bottom of a column's bases: the memory that the column keeps alive."""
    while isinstance(column.base, np.ndarray):
        column = column.base
    return column


@pytest.mark.parametrize("points", [1000, 300_000], ids=["small", "large"])
def test_narrow_text_columns_keep_little_more_memory_than_they_show(points):
    # Every point fails: each text column is one character wide, rather than the width it was
    # made for (23 for the grid reference).
    utm = korvane.to_utm(np.full(points, 95.0), 3.0)
    latlong = korvane.to_latlong(np.full(points, 5e6), 5e5, 31, np.full(points, "X"))
    for column in (utm.band, utm.grid_reference, *latlong[2:11]):
        assert column.dtype == np.dtype("<U1")
        assert memory_under(column).nbytes <= 2 * column.nbytes + (2 << 20)


def test_memory_used_again_shows_nothing_of_its_last_use():
    # Large columns are made on blocks that earlier calls let go of, with those calls' numbers
    # and texts still in them: every element must be written over, the empty texts and NaNs of
    # failed points too.
    points = 300_000
    failing = np.arange(points) % 2 == 0
    latitudes = np.where(failing, np.nan, 45.0)
    korvane.to_utm(np.full(points, 45.0), 3.0)  # every text at its widest
    utm = korvane.to_utm(latitudes, 3.0)
    for column, expected in zip(utm, in_pieces(korvane.to_utm, latitudes, np.full(points, 3.0))):
        np.testing.assert_array_equal(column, expected)
    del utm
    northings = np.where(failing, np.nan, 4982950.4)
    arrays = (northings, np.full(points, 5e5), np.full(points, 31), np.full(points, "N"))
    latlong = korvane.to_latlong(*arrays)
    for column, expected in zip(latlong, in_pieces(korvane.to_latlong, *arrays)):
        np.testing.assert_array_equal(column, expected)


def resident_bytes():
    with open("/proc/self/statm", encoding="ascii") as statm:
        return int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE")


@pytest.mark.skipif(not os.path.exists("/proc/self/statm"), reason="reads Linux's /proc")
def test_memory_kept_for_later_calls_stays_within_its_bound():
    # Calls of ever new sizes leave blocks that no later call can take: what is kept of them
    # must stay within a few hundred MiB, however many calls there are (these leave 550 MiB).
    before = resident_bytes()
    for points in range(400_000, 1_000_000, 100_000):
        korvane.to_utm(np.full(points, 45.0), 3.0)
    assert resident_bytes() - before < 320 << 20



# Datum shifts through PROJ: each position as pyproj shifts it (the same database and choice),
# then on the standard grid within a millimetre of PROJ's transverse Mercator on the grid
# datum's ellipsoid; back again; a position outside every area of use fails alone.
DATUM_PAIRS = [
    ("ED50", "EPSG:4230", [48.8566, 40.4168], [2.3522, -3.7038]),
    ("NAD27", "EPSG:4267", [40.7128, 39.7392], [-74.006, -104.9903]),
    ("OSGB36", "EPSG:4277", [51.5, 55.9533], [-0.12, -3.1883]),
    ("Arc 1960", "EPSG:4210", [-1.2921], [36.8219]),
    ("Tokyo", "EPSG:4301", [35.6762], [139.6503]),
]


@pytest.mark.parametrize("name, code, lat, lon", DATUM_PAIRS)
def test_datum_shifts_agree_with_pyproj(name, code, lat, lon):
    import pyproj

    r = korvane.to_utm(lat, lon, grid="standard", source="EPSG:4326", datum=name)
    assert list(r.error) == [""] * len(lat)
    shifted = pyproj.Transformer.from_crs("EPSG:4326", code, always_xy=False)
    for i, (la, lo) in enumerate(zip(lat, lon)):
        slat, slon = shifted.transform(la, lo)
        crs = pyproj.CRS(code)
        utm = pyproj.Proj(proj="utm", zone=int(r.zone[i]), south=r.hemisphere[i] == "S",
                          a=crs.ellipsoid.semi_major_metre, b=crs.ellipsoid.semi_minor_metre)
        easting, northing = utm(slon, slat)
        assert abs(easting - r.easting[i]) < 1e-3 and abs(northing - r.northing[i]) < 1e-3
    back = korvane.to_latlong(r, datum=name, target="WGS 84")
    assert np.abs(back.latitude - lat).max() * 111320 < 0.01  # a centimetre: no height kept


def test_datum_shift_failures_and_what_is_said():
    r = korvane.to_utm([48.8566, -33.86], [2.3522, 151.21], source="WGS 84", datum="ED50")
    assert r.error[0] == "" and "outside the area of use" in r.error[1]
    anyway = korvane.to_utm(-33.86, 151.21, source="WGS 84", datum="ED50", outside_area=True)
    assert anyway.error == ""
    with pytest.raises(ValueError, match='did you mean "ED50"'):
        korvane.to_utm(1, 2, source="WGS 84", datum="ED5O")
    with pytest.raises(ValueError, match="needs both source="):
        korvane.to_utm(1, 2, datum="ED50")
    with pytest.raises(ValueError, match="without a datum shift"):
        korvane.to_utm(1, 2, "Clarke 1866", source="WGS 84", datum="ED50")
    said = korvane.datum_shift("WGS 84", "Arc 1960")
    assert said["ellipsoid"] == {"name": "Clarke 1880 (RGS)", "a": 6378249.145,
                                 "b": pytest.approx(6356514.8695, abs=1e-4)}
    assert said["transformations"] and not said["only_ballpark"]


# A result converts back on what it was made on, which nothing given may contradict.
def test_results_convert_back_on_their_ellipsoid_and_datums():
    clarke = korvane.to_utm(48.8566, 2.3522, "Clarke 1866")
    assert abs(korvane.to_latlong(clarke).latitude - 48.8566) < 1e-6
    with pytest.raises(ValueError, match="made on 'Clarke 1866', not 'WGS 84'"):
        korvane.to_latlong(clarke, ellipsoid="WGS 84")
    shifted = korvane.to_utm(48.8566, 2.3522, source="WGS84", datum="ED50", grid="standard")
    assert abs(korvane.to_latlong(shifted).latitude - 48.8566) < 1e-7
    with pytest.raises(ValueError, match="on the grid of 'ED50', not 'OSGB36'"):
        korvane.to_latlong(shifted, datum="OSGB36")
    assert repr(clarke).startswith("UtmResult(zone=31")


@pytest.mark.parametrize("references, errors", [
    (np.ma.masked_array(["31TEK", "31TEK"], mask=[False, True]),
     ["", "the MGRS reference is missing"]),
    (pd.Series(["31TEK0000082950", None, np.nan]),
     ["", "the MGRS reference is missing", "the MGRS reference is missing"]),
    (pd.array(["31TEK0000082950", None], dtype="string"), ["", "the MGRS reference is missing"]),
    ([], []),
])
def test_mgrs_references_missing_fail_alone(references, errors):
    assert list(korvane.from_mgrs(references).error) == errors
