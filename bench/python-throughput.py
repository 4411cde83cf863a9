#!/usr/bin/python3
"""Times korvane.to_utm against pyproj's Transformer on one array of points inside one zone.

Side by side in one process: each round converts the same arrays with both, taking turns, so
that a slow spell of the machine falls on both alike; prints the median of the rounds and the
ratio as a Markdown table. pyproj goes from EPSG:4326 to the zone's own UTM system (EPSG:32631)
and gives easting and northing only; korvane also gives the zone, band, central meridian and
grid reference of every point. Each is called as a user calls it: korvane converts a large array
on every core by itself, pyproj on one. A third turn, the floor, makes arrays of the result's
dtypes and sizes and writes them once on one thread, converting nothing: what the result's
memory alone costs. Run with Debian's python3 from the top of a tree built with
-DKORVANE_PYTHON=ON (or set KORVANE_PYTHONPATH to the folder holding the korvane package).
Usage: bench/python-throughput.py [POINTS] [ROUNDS]     (default 1000000 points, 5 rounds)
"""

import mmap
import os
import statistics
import sys
import time

import numpy as np
import pyproj

top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.environ.get("KORVANE_PYTHONPATH", os.path.join(top, "build", "python")))
import korvane  # noqa: E402  (from the build, not an installed copy)


def seconds(convert):
    begun = time.perf_counter()
    convert()
    return time.perf_counter() - begun


LARGE_PAGE = 2 << 20


def large_page_array(count, dtype):
    """An array of count elements in whole large pages, as korvane makes its large columns."""
    size = count * np.dtype(dtype).itemsize
    pages = -(-size // LARGE_PAGE)
    block = mmap.mmap(-1, (pages + 1) * LARGE_PAGE, flags=mmap.MAP_PRIVATE | mmap.MAP_ANONYMOUS)
    start = -np.frombuffer(block, np.uint8).ctypes.data % LARGE_PAGE
    block.madvise(mmap.MADV_HUGEPAGE, start, pages * LARGE_PAGE)
    return np.frombuffer(block, dtype, count, start)


def result_floor(points, grid_width):
    """Korvane's result arrays made and each byte written once, converting nothing."""
    # Texts made as korvane makes them, as 32-bit integers: NumPy zeroes a new str array.
    texts = [large_page_array(points * width, np.uint32) for width in (1, grid_width)]
    numbers = [large_page_array(points, dtype) for dtype in (np.int16, float, float, float)]
    for column in texts + numbers:
        column.view(np.uint8).fill(1)
    texts = [column.view(f"<U{width}") for column, width in zip(texts, (1, grid_width))]
    return texts + numbers + [np.empty(points, object)]  # NumPy fills it with None


def main():
    points = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    # Inside zone 31 (0 to 6 E), northern hemisphere, as bench/batch-throughput.sh has them.
    rng = np.random.default_rng(31)
    lat = 0.5 + rng.random(points) * 79
    lon = 0.01 + rng.random(points) * 5.98
    transformer = pyproj.Transformer.from_crs("EPSG:4326", "EPSG:32631", always_xy=True)

    utm = korvane.to_utm(lat, lon, errors="raise")
    easting, northing = transformer.transform(lon, lat)
    assert (utm.zone == 31).all()
    # Two formulations of one projection: they agree to well under a metre inside the zone.
    apart = max(np.abs(utm.easting - easting).max(), np.abs(utm.northing - northing).max())
    assert apart < 1, f"korvane and pyproj are {apart} m apart"

    grid_width = utm.grid_reference.dtype.itemsize // 4
    times = {"korvane.to_utm": [], "pyproj Transformer": [], "floor (result arrays only)": []}
    for round_ in range(rounds):
        turns = [("korvane.to_utm", lambda: korvane.to_utm(lat, lon)),
                 ("pyproj Transformer", lambda: transformer.transform(lon, lat)),
                 ("floor (result arrays only)", lambda: result_floor(points, grid_width))]
        for name, convert in turns if round_ % 2 == 0 else reversed(turns):
            times[name].append(seconds(convert))

    median = {name: statistics.median(values) for name, values in times.items()}
    print(f"{points} points inside zone 31, median of {rounds} rounds in which the three take "
          f"turns, one process\n(korvane on {os.cpu_count()} cores as it is called, pyproj and the "
          f"floor on one); korvane and pyproj agree to {apart:.4f} m.\n")
    print("| Tool | Seconds | Points per second | korvane's speed-up |")
    print("|---|---:|---:|---:|")
    for name, value in median.items():
        ratio = median["pyproj Transformer"] / median["korvane.to_utm"]
        shown = f"{ratio:.2f}" if name == "pyproj Transformer" else ""
        print(f"| {name} | {value:.3f} | {points / value:.0f} | {shown} |")
    print(f"\nThree times pyproj's speed would leave {median['pyproj Transformer'] / 3:.3f} s for "
          f"the whole call, of which making and writing the result's arrays ("
          f"{sum(c.nbytes for c in result_floor(1, grid_width))} bytes a point) takes "
          f"{median['floor (result arrays only)']:.3f} s on one thread.")


if __name__ == "__main__":
    main()
