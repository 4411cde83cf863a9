#!/usr/bin/env bash
# Measures the program's start: the time from launch until the first window is mapped on the
# screen, and the peak memory of a run that ends right after, under a virtual X server. Several
# runs; prints a Markdown table with the median and the range. Run from a built tree.
# Usage: bench/startup.sh [RUNS]     (default 7)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
program=${KORVANE:-$top/build/ui/korvane}
source "$top/tools/xvfb.sh"
start_xvfb
work=$(mktemp -d)

# One watcher on the root window sees every top-level window being mapped, without polling
# the X server.
coproc WATCHER { exec stdbuf -oL xev -root -event substructure; }
trap 'kill "$WATCHER_PID" "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 0.5

for ((run = 0; run < runs; run++)); do
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$work/peak-$run" "$program" >/dev/null 2>&1 &
    timed=$!
    until IFS= read -r -t 10 line <&"${WATCHER[0]}" && [[ $line == MapNotify* ]]; do
        if ! kill -0 "$timed" 2>/dev/null; then
            echo "korvane ended before showing its window" >&2
            exit 1
        fi
    done
    shown=$(date +%s%N)
    xdotool search --onlyvisible --name '^Convert Lat, Long$' >/dev/null ||
        { echo "the window mapped is not the Lat/Long window" >&2; exit 1; }
    echo $(((shown - start) / 1000000)) >>"$work/milliseconds"
    # End the program this run started, a child of the timer around it, by its process id.
    program_pid=$(pgrep -P "$timed" || true)
    [ -n "$program_pid" ] && kill -TERM "$program_pid" 2>/dev/null || true
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
| Launch to the first window mapped (ms) | $(summary "$work/milliseconds") |
| Peak memory (KiB) | $(summary "$work/kibibytes") |
TABLE
