#!/usr/bin/env bash
# Runs every performance measurement and writes docs/performance.md with the machine it ran on.
# Run from a built tree: bash bench/report-performance.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
out=docs/performance.md
mkdir -p docs

machine="$(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores, \
$(free -g | awk '/^Mem:/ { print $2 }') GiB, $(. /etc/os-release && echo "$PRETTY_NAME"), \
$(g++ --version | head -n 1)"
# On one core throughout, so that both sides of every ratio run at that core's speed.
pin=()
command -v taskset >/dev/null && pin=(taskset -c 0)
benchmarks=$("${pin[@]}" build/bench/korvane-bench --benchmark_color=false --benchmark_repetitions=1 2>/dev/null)
throughput=$(bash bench/batch-throughput.sh 1000000 5)
# Three runs, each a process of its own, show how far the result moves from one to the next.
python=$(for run in 1 2 3; do
    echo "### Run $run of 3"
    echo
    /usr/bin/python3 bench/python-throughput.py 1000000 5
    echo
done)
startup=$(bash bench/startup.sh 9)
batch_startup=$(bash bench/batch-startup.sh 100 5)
standard=$(bash bench/standard-grid.sh 1000000 5)
datums=$(bash bench/datum-shift.sh 1000 1000000 5 2>/dev/null)
# What to_utm's two steps per point cost on their own, from the per-call times above.
per_point=$(echo "$benchmarks" |
    awk '$1 == "ProjectToUtm_Korvane" || $1 == "GridReference_Korvane" { ns += $2 } END { print ns }')
steps_seconds=$(echo "$per_point * 1000000 / 1000000000 / $(nproc)" | bc -l | xargs printf '%.3f')

cat >"$out" <<DOC
# Performance

Measured on $(date -u +%Y-%m-%d) on: $machine.
Everything here comes from \`bash bench/report-performance.sh\`; rerun it to measure again.

## Per call, beside GeographicLib (\`korvane-bench\`)

Each Korvane operation runs beside its GeographicLib counterpart in one binary and one run,
pinned to one core (Google Benchmark): \`TransverseMercator::UTM()\` forward and reverse, \`MGRS::Forward\`,
\`Utility::val\` for reading a number, and \`GeoCoords\` parsing a position and writing its
UTM and MGRS (or degrees, minutes and seconds) for the two whole commands.

\`\`\`
$benchmarks
\`\`\`

## Batch conversion (\`bench/batch-throughput.sh\`)

$throughput

The goals, on one thread: \`korvane-batch to-utm\` at least 5 times the throughput of proj
(3 times in the first round) and 10 times that of GeoConvert; \`to-latlong\` at least 3 times
proj -I and 10 times GeoConvert -g. On two threads, \`--jobs 2\` at least 1.8 times as fast as
\`--jobs 1\`. The speed-up columns show where each stands; where the machine's cores differ in
speed, the line under the table says what two threads can reach at best. With N jobs, N - 1 worker
threads convert blocks of lines, and the thread that reads the input and writes the answers
converts the blocks no worker has taken while it waits for the oldest. The output of every run is the same,
byte for byte, whatever the number of jobs, and memory does not grow with the input: the
converter streams, with a fixed number of blocks of lines in flight. Its times include reading
every field whole (a field is converted only when all of it is a number in an accepted form)
and checking every line for characters that could break the output apart. The floor is what
reading, splitting and writing the same lines costs with no conversion at all; the last column
says how many times that the converter takes.

Every digit is the one that the method's series gives with the maths library's pow, sin, cos
and tan, but making sure of pow's last bit costs more than the whole series. So each point is
first projected with plain products, a square root, and multiple-angle identities from one
sine and cosine. Inside a zone that moves a northing or easting by a nanometre or two; only
where one lies within a micrometre of a point at which its rounding to hundredths changes
(about one point in 2,500) is the series worked again with the library's arithmetic.
\`ProjectToUtm_Korvane\` above is that whole projection, checks included. The inverse works the
same way: its quick position, within 1e-13 degree of the library's inside a zone and short of
the poles, is kept only where it lies further than 1e-11 degree from every point at which a text
or a decision made from it turns (the degrees, minutes and hundredths of seconds, the
nine-decimal degrees, the band letter, the band check and the pole check, one table of them
beside the inverse's maths); anywhere else the library's series gives the position. The Python
package's to_latlong hands on the numbers themselves, so it takes the library's series alone.
The converting code is built with -O3, which neither fuses nor reorders floating-point
operations.

## The Python package beside pyproj (\`bench/python-throughput.py\`)

$python

The goal is \`korvane.to_utm\` at least 3 times as fast as pyproj's \`Transformer\` on a
million points, called as a user calls it; the last column shows where it stands, and where it
stands kept to one core. Each point goes through the Lat/Long window's conversion, as in the
windows and korvane-batch, handed its two numbers as the boxes hold them once read: projected
with the exactness checks above, given its band letter and grid reference. pyproj gives easting
and northing only; korvane also fills the arrays of every point's zone, band, central meridian
and grid reference beside them (130 bytes a point, against pyproj's 16). A large array is
converted on every core, without the GIL, each thread writing its points straight into the
result arrays. Their memory is asked of the system in whole large pages, and a block of them that
a result lets go of is kept for the next call's columns of its size (at most 256 MiB are kept,
and the system may take them back when it runs short), so that a program converting chunk
after chunk writes into pages it has rather than having fresh ones zeroed. The first call of each
run writes into fresh memory, as every call would if no block were kept: the difference from the
rounds that follow is what keeping them gains.

What the call takes on two cores depends on the machine giving both of them their whole time:
the line under each table says how many times as fast as on one core korvane ran. While two
threads convert, the call's own thread waits rather than converting beside them: when it
converted too, some processes ran at about the speed of one thread, most likely as its stack
holds what every point is converted with, beside its own writes.
On one core the projection and the grid reference alone take
$per_point ns a point together (\`ProjectToUtm_Korvane\` and \`GridReference_Korvane\` above):
$steps_seconds s for a million points shared over $(nproc) cores, before the texts are written
into the arrays.

## The standard grid (\`bench/standard-grid.sh\`)

$standard

The goals: GeoConvert's zone, hemisphere, easting, northing and MGRS text on at least 99.99 % of
a million random points, every difference explained; proj's UTM on the other ellipsoids to a
millimetre; on one thread, at least 5 times GeoConvert and 2 times proj, both directions.
Both sides print to the millimetre, so the proj column is the printing's own rounding.

## Datum shifts (\`bench/datum-shift.sh\`)

$datums

The goals: cs2cs's and pyproj's shift to within a millimetre on at least eight datum pairs, both
directions, and to-utm with a shift at least 3 times cs2cs on a million points, one thread.
PROJ's database chooses the transformations; the shift applies the one PROJ chooses for each
position, evaluating the affine ones between the ellipsoids' Earth-centred coordinates itself,
where they agree with PROJ's own result to a micrometre over their area, and the others
(grids, Molodensky) through PROJ.

## Start of the program (\`bench/startup.sh\`)

$startup

The start loads only the Lat/Long window: no file, no settings and nothing of the other
window is read or built before it is shown.

## A run of korvane-batch on one point (\`bench/batch-startup.sh\`)

$batch_startup

What a script that calls the converter once for each point pays for each. korvane-batch links
neither PROJ nor its forty libraries: it loads them, in its datum shift plugin, only for a run
that shifts datums, which then resolves both datums and the transformations between them in
PROJ's database as cs2cs does.
DOC
echo "Wrote $out"
