#!/usr/bin/env bash
# Measures the program's start: the time from launch until the first window is shown, and the
# peak memory of a run that ends right after, under a virtual X server. Several runs; prints a
# Markdown table with the median and the range. Run from a built tree.
# Usage: bench/startup.sh [RUNS]     (default 7)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
program=${KORVANE:-$top/build/ui/korvane}
source "$top/tools/xvfb.sh"
start_xvfb :96
work=$(mktemp -d)
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

for ((run = 0; run < runs; run++)); do
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$work/peak-$run" "$program" >/dev/null 2>&1 &
    timed=$!
    until xdotool search --onlyvisible --name '^Convert Lat, Long$' >/dev/null 2>&1; do
        sleep 0.005
    done
    shown=$(date +%s%N)
    echo $(((shown - start) / 1000000)) >>"$work/milliseconds"
    pkill -TERM -x korvane
    wait "$timed" || true
    tail -n 1 "$work/peak-$run" >>"$work/kibibytes"
done

summary() { # file: median, smallest, largest
    sort -n "$1" | awk '{ v[NR] = $1 } END { printf "%d | %d to %d", v[int((NR + 1) / 2)], v[1], v[NR] }'
}
cat <<TABLE
Start of \`korvane\` under Xvfb, $runs runs (median | range):

| Measure | Median | Range |
|---|---:|---:|
| Launch to the first window shown (ms) | $(summary "$work/milliseconds") |
| Peak memory (KiB) | $(summary "$work/kibibytes") |
TABLE
