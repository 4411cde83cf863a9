#!/usr/bin/env bash
# Starts Korvane under a virtual X server, converts the default input on each window as a
# user would (Enter, then the menu command that switches windows) and saves a screenshot of
# each window in docs/screenshots/. Run from a built tree: bash tools/screenshots.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
program=${KORVANE:-build/ui/korvane}
out=docs/screenshots
mkdir -p "$out"

source tools/xvfb.sh
start_xvfb

"$program" >/dev/null 2>&1 &
korvane=$!
trap 'kill "$korvane" "$xvfb_pid" 2>/dev/null || true' EXIT

latlong=$(xdotool search --sync --name '^Convert Lat, Long$' | head -n 1)
sleep 1
xdotool key --window "$latlong" Return
sleep 0.5
import -window "$latlong" "$out/lat-long-window.png"

# "Convert UTM" stands on the menu bar, right of the file menu.
eval "$(xdotool getwindowgeometry --shell "$latlong")"
xdotool mousemove $((X + 85)) $((Y + 10)) click 1
utm=$(xdotool search --sync --name '^Convert UTM$' | head -n 1)
sleep 1
xdotool key --window "$utm" Return
sleep 0.5
import -window "$utm" "$out/utm-window.png"
echo "Saved $out/lat-long-window.png and $out/utm-window.png"
