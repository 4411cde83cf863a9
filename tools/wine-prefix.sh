#!/usr/bin/env bash
# Makes the Wine prefix that the Windows build's programs and tests run in, once: Wine's first
# start is slow, and notepad.exe, which the datum report starts, needs a display driver that
# shows nothing when there is no display.
# Usage: tools/wine-prefix.sh PREFIX
set -euo pipefail
export WINEPREFIX=$1 WINEDEBUG=-all
ready=$WINEPREFIX/.korvane-ready
if [ ! -f "$ready" ]; then
    wineboot --init
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
    wineserver --wait # the registry is written out when the server ends
    touch "$ready"
fi
