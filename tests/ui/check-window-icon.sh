#!/usr/bin/env bash
# Under a real X server, each window carries its own icon where window managers and task bars
# read it: its _NET_WM_ICON property holds that window's pictures, every size the program has of
# them, pixel for pixel. Exits 77, a skipped test, only where no Xvfb is installed.
# Usage: check-window-icon.sh KORVANE
set -uo pipefail
program=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
source "$top/tools/xvfb.sh"
start_xvfb || exit 1
work=$(mktemp -d)
"$program" >/dev/null 2>&1 &
korvane=$!
trap 'kill "$korvane" "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT

# check_icon WINDOW NAME SIZE...: the window's icon is ui/icons/NAME-SIZE.png at each size.
check_icon() {
    local window=$1 name=$2
    shift 2
    xprop -id "$window" -notype 32c _NET_WM_ICON >"$work/property" || return 1
    local size pictures=()
    for size in "$@"; do
        convert "$top/ui/icons/$name-$size.png" -depth 8 rgba:"$work/$name-$size.rgba" || return 1
        pictures+=("$size=$work/$name-$size.rgba")
    done
    /usr/bin/python3 - "$work/property" "${pictures[@]}" <<'PYTHON'
import sys
# The property is a list of width, height and width * height pixels, one picture after another,
# each pixel a 32-bit ARGB number.
numbers = [int(n) for n in open(sys.argv[1]).read().split("=", 1)[1].replace(",", " ").split()]
held = {}
at = 0
while at + 2 <= len(numbers):
    width, height = numbers[at], numbers[at + 1]
    held[(width, height)] = numbers[at + 2:at + 2 + width * height]
    at += 2 + width * height
print("icon sizes:", " ".join("%dx%d" % size for size in sorted(held)))
failed = False
for expected in sys.argv[2:]:
    size, path = expected.split("=", 1)
    size = int(size)
    pixels = held.get((size, size))
    if pixels is None:
        print("FAIL: no %dx%d picture" % (size, size))
        failed = True
        continue
    rgba = open(path, "rb").read()
    for i, argb in enumerate(pixels):
        r, g, b, a = rgba[4 * i:4 * i + 4]
        shown = (argb >> 24 & 255, argb >> 16 & 255, argb >> 8 & 255, argb & 255)
        # The toolkit keeps colours multiplied by their opacity, so a translucent pixel comes
        # back only as exact as that product: compared so, they may differ by one step.
        same = shown[0] == a and all(abs(x * a - y * a) <= 255 * 1.01
                                     for x, y in zip(shown[1:], (r, g, b)))
        if not same:
            print("FAIL: %dx%d pixel %d is %s, the picture's is %s" % (size, size, i, shown, (a, r, g, b)))
            failed = True
            break
sys.exit(1 if failed else 0)
PYTHON
}

latlong=$(timeout 20 xdotool search --sync --name '^Convert Lat, Long$' | head -n 1)
[ -n "$latlong" ] || { echo "FAIL: no Lat/Long window"; exit 1; }
sleep 0.5
echo "Lat/Long window:"
check_icon "$latlong" latlong 32 48 || exit 1

# "Convert UTM" stands on the menu bar, right of the file menu.
eval "$(xdotool getwindowgeometry --shell "$latlong")"
xdotool mousemove $((X + 85)) $((Y + 10)) click 1
utm=$(timeout 20 xdotool search --sync --name '^Convert UTM$' | head -n 1)
[ -n "$utm" ] || { echo "FAIL: no UTM window"; exit 1; }
sleep 0.5
echo "UTM window:"
check_icon "$utm" utm 16 24 32 48 64 128 256 || exit 1
echo "window icons: passed"
