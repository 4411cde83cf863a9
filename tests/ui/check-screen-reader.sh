#!/usr/bin/env bash
# What a screen reader announces of each window, read through the real accessibility bus under a
# virtual X server, with a session bus of the test's own that ends with it. Exits 77, a skipped
# test, only where Xvfb, the accessibility bus or Python's AT-SPI bindings are not installed.
# Usage: check-screen-reader.sh KORVANE
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
for need in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$need" >/dev/null || { echo "SKIP: $need is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: no python3-pyatspi"; exit 77; }
source "$top/tools/xvfb.sh"
start_xvfb || exit 1
dbus-run-session -- /usr/bin/python3 "$here/screen-reader.py" "$program"
