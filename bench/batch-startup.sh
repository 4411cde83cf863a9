#!/usr/bin/env bash
# The cost of one korvane-batch run on one line, as a script calling it point by point pays it,
# beside proj and cs2cs doing the same: the program's start alone, and with a datum shift, which
# loads PROJ and reads its database. Each command runs STARTS times in a row; the commands take
# turns over RUNS rounds. Prints Markdown. Run from a built tree.
# Usage: bench/batch-startup.sh [STARTS] [RUNS]     (default 100 starts, 5 runs)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
starts=${1:-100}
runs=${2:-5}
batch=${KORVANE_BATCH:-$top/build/batch/korvane-batch}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$top/bench/take-turns.sh"
export PROJ_NETWORK=OFF

echo "45,3" >"$work/point.csv"
echo "3 45" >"$work/point.txt"
repeat() { # command...: run it $starts times, its output dropped
    local count
    for ((count = 0; count < starts; count++)); do "$@" >/dev/null; done
}
names=(korvane proj korvane_shift cs2cs)
commands=(
    "repeat '$batch' to-utm '$work/point.csv'"
    "repeat proj +proj=utm +zone=31 +ellps=WGS84 '$work/point.txt'"
    "repeat '$batch' to-utm --from EPSG:4326 --datum EPSG:4230 --quiet '$work/point.csv'"
    "repeat cs2cs EPSG:4326 EPSG:23031 '$work/point.txt'"
)
take_turns "$runs"
each() { echo "$1 * 1000 / $starts" | bc -l | xargs printf '%.1f'; }

cat <<TABLE
One point a run, $starts runs in a row, median of $runs rounds in which the four take turns
(milliseconds a run):

| Run | korvane-batch | peer | peer's name |
|---|---:|---:|---|
| to UTM | $(each "$korvane") | $(each "$proj") | proj +proj=utm |
| to UTM with a datum shift (WGS 84 to ED50) | $(each "$korvane_shift") | $(each "$cs2cs") | cs2cs EPSG:4326 EPSG:23031 |
TABLE
