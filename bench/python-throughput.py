#!/usr/bin/python3
"""Times korvane.to_utm against pyproj's Transformer on one array of points inside one zone.

Side by side in one process: each round converts the same arrays with both, taking turns, so
that a slow spell of the machine falls on both alike; prints the median of the rounds and the
ratio as a Markdown table. pyproj goes from EPSG:4326 to the zone's own UTM system (EPSG:32631)
and gives easting and northing only; korvane also gives the zone, band, central meridian and
grid reference of every point. Each is called as a user calls it: korvane converts a large array
on every core by itself, pyproj on one; korvane also takes a turn kept to one core, which shows
what the other cores gave. Every round's korvane calls write into the memory that the earlier
calls' results let go of, as a program converting chunk after chunk does; the first call, into
memory the system zeroes, is timed on its own. A last turn, the floor, writes arrays of the
result's dtypes and sizes once on one thread, converting nothing: what the result's memory alone
costs. Run with Debian's python3 from the top of a tree built with -DKORVANE_PYTHON=ON (or set
KORVANE_PYTHONPATH to the folder holding the korvane package).
Usage: bench/python-throughput.py [POINTS] [ROUNDS]     (default 1000000 points, 5 rounds)
"""

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


def on_one_core(convert):
    """convert with this thread, and the threads it starts, kept to one of the process's cores."""
    cores = os.sched_getaffinity(0)
    os.sched_setaffinity(0, {min(cores)})
    try:
        return convert()
    finally:
        os.sched_setaffinity(0, cores)


def result_columns(points, grid_width):
    """Arrays of korvane's result dtypes and sizes, made once: korvane's later calls write into
    memory its earlier calls let go of, as a program converting chunk after chunk does."""
    dtypes = ["<U1", f"<U{grid_width}", np.int16, float, float, float, object]
    return [np.empty(points, dtype) for dtype in dtypes]


def result_floor(columns):
    """Each byte of korvane's result written once, converting nothing."""
    for column in columns:
        if column.dtype == object:
            column.fill(None)  # a reference to one object, as korvane's column of reasons holds
        else:
            column.view(np.uint8).fill(1)


def main():
    points = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    # Inside zone 31 (0 to 6 E), northern hemisphere, as bench/batch-throughput.sh has them.
    rng = np.random.default_rng(31)
    lat = 0.5 + rng.random(points) * 79
    lon = 0.01 + rng.random(points) * 5.98
    transformer = pyproj.Transformer.from_crs("EPSG:4326", "EPSG:32631", always_xy=True)

    begun = time.perf_counter()
    utm = korvane.to_utm(lat, lon, errors="raise")  # the first call, into fresh memory
    first = time.perf_counter() - begun
    easting, northing = transformer.transform(lon, lat)
    assert (utm.zone == 31).all()
    # Two formulations of one projection: they agree to well under a metre inside the zone.
    apart = max(np.abs(utm.easting - easting).max(), np.abs(utm.northing - northing).max())
    assert apart < 1, f"korvane and pyproj are {apart} m apart"

    grid_width = utm.grid_reference.dtype.itemsize // 4
    columns = result_columns(points, grid_width)
    result_floor(columns)  # the pages in place before the first round
    every_core = f"korvane.to_utm, {len(os.sched_getaffinity(0))} cores"
    turns = [(every_core, lambda: korvane.to_utm(lat, lon)),
             ("korvane.to_utm, 1 core", lambda: on_one_core(lambda: korvane.to_utm(lat, lon))),
             ("pyproj Transformer", lambda: transformer.transform(lon, lat)),
             ("floor (result arrays only)", lambda: result_floor(columns))]
    times = {name: [] for name, _ in turns}
    for round_ in range(rounds):
        for name, convert in turns if round_ % 2 == 0 else reversed(turns):
            times[name].append(seconds(convert))

    median = {name: statistics.median(values) for name, values in times.items()}
    print(f"{points} points inside zone 31, median of {rounds} rounds in which the four take "
          f"turns, one process\n(korvane as it is called, on every core, and kept to one; pyproj "
          f"and the floor on one); korvane and pyproj agree to {apart:.4f} m.\n")
    print("| Tool | Seconds | Points per second | pyproj's time over korvane's |")
    print("|---|---:|---:|---:|")
    for name, value in median.items():
        ratio = median["pyproj Transformer"] / value
        shown = f"{ratio:.2f}" if name.startswith("korvane") else ""
        print(f"| {name} | {value:.3f} | {points / value:.0f} | {shown} |")
    print(f"\nThree times pyproj's speed would leave {median['pyproj Transformer'] / 3:.3f} s for "
          f"the whole call, of which writing the result's arrays ("
          f"{sum(c.itemsize for c in columns)} bytes a point) takes "
          f"{median['floor (result arrays only)']:.3f} s on one thread. On every core korvane "
          f"ran {median['korvane.to_utm, 1 core'] / median[every_core]:.2f} times as fast as on "
          f"one. The first call of the run, into fresh memory, took {first:.3f} s.")


if __name__ == "__main__":
    main()
