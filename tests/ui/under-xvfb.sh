#!/usr/bin/env bash
# Runs a test program on a virtual X server of its own, through Qt's X11 platform, so that what
# it checks is what an X server really drew. Exits 77, a skipped test, only where no Xvfb is
# installed. Usage: under-xvfb.sh PROGRAM [ARGUMENT...]
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
source "$top/tools/xvfb.sh"
start_xvfb || exit 1
QT_QPA_PLATFORM=xcb "$@"
