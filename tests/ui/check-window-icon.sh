#!/usr/bin/env bash
# Under a real X server, the program's windows carry their icons where window managers and task
# bars read them: the _NET_WM_ICON property, at several sizes.
# Usage: check-window-icon.sh KORVANE
set -uo pipefail
program=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/tools/xvfb.sh"
start_xvfb
"$program" >/dev/null 2>&1 &
korvane=$!
trap 'kill "$korvane" "$xvfb_pid" 2>/dev/null || true' EXIT

window=$(timeout 20 xdotool search --sync --name '^Convert Lat, Long$' | head -n 1)
[ -n "$window" ] || { echo "FAIL: no Lat/Long window"; exit 1; }
sleep 0.5
# The property is a list of width, height and pixels, one picture after another.
sizes=$(xprop -id "$window" -notype 32c _NET_WM_ICON | tr -d ',' | awk '{
    for (i = 3; i <= NF;) { w = $i; h = $(i + 1); printf "%dx%d ", w, h; i += 2 + w * h } }')
echo "icon sizes: $sizes"
for size in 32x32 48x48; do
    [[ " $sizes" == *" $size "* ]] || { echo "FAIL: no $size picture in _NET_WM_ICON"; exit 1; }
done
echo "window icon: passed"
