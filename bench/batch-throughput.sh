#!/usr/bin/env bash
# Times korvane-batch against proj and GeoConvert on one generated file of points inside one
# zone, both directions, several runs each, on one thread and on two, beside the floor: reading
# the same lines, splitting them and writing lines of the same length, converting nothing
# (korvane-io-floor). Prints points per second and the ratios as a Markdown table. Run from a
# built tree.
# Usage: bench/batch-throughput.sh [POINTS] [RUNS]     (default 1000000 points, 5 runs)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
points=${1:-1000000}
runs=${2:-5}
batch=${KORVANE_BATCH:-$top/build/batch/korvane-batch}
floor=${KORVANE_IO_FLOOR:-$top/build/bench/korvane-io-floor}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$top/bench/take-turns.sh"

# Points inside zone 31 (0 to 6 E), northern hemisphere, in each tool's input form.
awk -v n="$points" 'BEGIN {
    srand(31);
    for (i = 0; i < n; i++) printf "%.9f,%.9f\n", 0.5 + rand() * 79, 0.01 + rand() * 5.98
}' >"$work/latlong.csv"
awk -F, '{ print $2, $1 }' "$work/latlong.csv" >"$work/lonlat.txt"
awk -F, '{ print $1, $2 }' "$work/latlong.csv" >"$work/latlong.txt"
"$batch" to-utm --jobs 1 "$work/latlong.csv" >"$work/utm.out"
awk -F'\t' '{ print $4 "," $5 ",31,N" }' "$work/utm.out" >"$work/utm.csv"
awk -F'\t' '{ print $5, $4 }' "$work/utm.out" >"$work/en.txt"
awk -F'\t' '{ print "31n", $5, $4 }' "$work/utm.out" >"$work/geoconvert-utm.txt"
"$batch" to-latlong --jobs 1 "$work/utm.csv" >"$work/latlong.out"
# The floor writes lines of the converter's average length.
line_length() { awk '{ n += length($0) + 1 } END { printf "%d\n", n / NR + 0.5 }' "$1"; }
utm_length=$(line_length "$work/utm.out")
latlong_length=$(line_length "$work/latlong.out")

# Every run of korvane-batch must give the same bytes.
first=$(md5sum <"$work/utm.out")
again=$("$batch" to-utm --jobs 2 "$work/latlong.csv" | md5sum)
[ "$first" = "$again" ] || { echo "korvane-batch to-utm gave different output on a rerun" >&2; exit 1; }

# Each tool's time is its median over rounds in which the tools take turns.
names=(korvane_forward korvane_forward_2 floor_forward proj_forward geoconvert_forward
    korvane_inverse korvane_inverse_2 floor_inverse proj_inverse geoconvert_inverse)
commands=(
    "'$batch' to-utm --jobs 1 '$work/latlong.csv'"
    "'$batch' to-utm --jobs 2 '$work/latlong.csv'"
    "'$floor' $utm_length '$work/latlong.csv'"
    "proj +proj=utm +zone=31 +ellps=WGS84 -f %.2f <'$work/lonlat.txt'"
    "GeoConvert -m -p 0 <'$work/latlong.txt'"
    "'$batch' to-latlong --jobs 1 '$work/utm.csv'"
    "'$batch' to-latlong --jobs 2 '$work/utm.csv'"
    "'$floor' $latlong_length '$work/utm.csv'"
    "proj -I +proj=utm +zone=31 +ellps=WGS84 -f %.9f <'$work/en.txt'"
    "GeoConvert -g -p 5 <'$work/geoconvert-utm.txt'"
)
take_turns "$runs"

# Memory stays flat in the input size: the peak for a tenth of the points, and for all.
head -n $((points / 10)) "$work/latlong.csv" >"$work/tenth.csv"
peak() { /usr/bin/time -f %M "$batch" to-utm --jobs "$1" "$2" 2>&1 >/dev/null | tail -n 1; }
peak_tenth=$(peak 1 "$work/tenth.csv")
peak_all=$(peak 1 "$work/latlong.csv")
peak_tenth_2=$(peak 2 "$work/tenth.csv")
peak_all_2=$(peak 2 "$work/latlong.csv")

# The cores of a virtual machine need not be equal: one thread pinned to each (taskset) says
# what two threads can reach at best, each converting at its own core's speed.
pinned=""
best_forward=""
best_inverse=""
if command -v taskset >/dev/null && [ "$(nproc)" -ge 2 ]; then
    pinned_seconds() { # core, direction, input
        for ((run = 0; run < runs; run++)); do
            start=$EPOCHREALTIME
            taskset -c "$1" "$batch" "$2" --jobs 1 "$3" >/dev/null
            end=$EPOCHREALTIME
            echo "$end - $start" | bc -l
        done | median_seconds
    }
    forward_0=$(pinned_seconds 0 to-utm "$work/latlong.csv")
    forward_1=$(pinned_seconds 1 to-utm "$work/latlong.csv")
    inverse_0=$(pinned_seconds 0 to-latlong "$work/utm.csv")
    inverse_1=$(pinned_seconds 1 to-latlong "$work/utm.csv")
    both() { echo "1 / (1 / $1 + 1 / $2)" | bc -l | xargs printf '%.3f'; }
    best_forward=$(both "$forward_0" "$forward_1")
    best_inverse=$(both "$inverse_0" "$inverse_1")
    pinned="One thread pinned to each of the first two cores takes $forward_0 s and $forward_1 s to UTM,
$inverse_0 s and $inverse_1 s to Lat/Long; two threads each at their own core's speed would take
at best $best_forward s and $best_inverse s, and --jobs 2 takes $korvane_forward_2 s and $korvane_inverse_2 s."
fi

rate() { echo "$points / $1" | bc -l | xargs printf '%.0f'; }
ratio() { echo "$2 / $1" | bc -l | xargs printf '%.2f'; }
cat <<TABLE
$points points inside zone 31, median of $runs rounds in which the tools take turns, one process
each. proj and GeoConvert use one thread; korvane-batch is timed on one (--jobs 1) and on two
(--jobs 2). The floor reads the same lines, splits them into fields and writes lines of the
converter's average length ($utm_length and $latlong_length bytes), converting nothing.

| Direction | Tool | Seconds | Points per second | Korvane's speed-up | Times the floor |
|---|---|---:|---:|---:|---:|
| to UTM | korvane-batch to-utm --jobs 1 | $korvane_forward | $(rate "$korvane_forward") | | $(ratio "$floor_forward" "$korvane_forward") |
| to UTM | korvane-batch to-utm --jobs 2 | $korvane_forward_2 | $(rate "$korvane_forward_2") | $(ratio "$korvane_forward_2" "$korvane_forward") over --jobs 1 | $(ratio "$floor_forward" "$korvane_forward_2") |
| to UTM | floor (korvane-io-floor) | $floor_forward | $(rate "$floor_forward") | | 1.00 |
| to UTM | proj +proj=utm | $proj_forward | $(rate "$proj_forward") | $(ratio "$korvane_forward" "$proj_forward") | |
| to UTM | GeoConvert -m | $geoconvert_forward | $(rate "$geoconvert_forward") | $(ratio "$korvane_forward" "$geoconvert_forward") | |
| to Lat/Long | korvane-batch to-latlong --jobs 1 | $korvane_inverse | $(rate "$korvane_inverse") | | $(ratio "$floor_inverse" "$korvane_inverse") |
| to Lat/Long | korvane-batch to-latlong --jobs 2 | $korvane_inverse_2 | $(rate "$korvane_inverse_2") | $(ratio "$korvane_inverse_2" "$korvane_inverse") over --jobs 1 | $(ratio "$floor_inverse" "$korvane_inverse_2") |
| to Lat/Long | floor (korvane-io-floor) | $floor_inverse | $(rate "$floor_inverse") | | 1.00 |
| to Lat/Long | proj -I +proj=utm | $proj_inverse | $(rate "$proj_inverse") | $(ratio "$korvane_inverse" "$proj_inverse") | |
| to Lat/Long | GeoConvert -g | $geoconvert_inverse | $(rate "$geoconvert_inverse") | $(ratio "$korvane_inverse" "$geoconvert_inverse") | |

The speed-ups over proj and GeoConvert are korvane-batch's on one thread.
$pinned
Peak memory of korvane-batch to-utm: $peak_tenth KiB for $((points / 10)) points and $peak_all KiB for $points points on one thread; $peak_tenth_2 KiB and $peak_all_2 KiB on two.
TABLE
