#!/usr/bin/env bash
# Makes the Wine prefix that the Windows build's programs and tests run in, once: Wine's first
# start is slow, and notepad.exe, which the datum report starts, needs a display driver that
# shows nothing when there is no display. Then starts the prefix's server, to run until
# `wineserver -k` ends it, with its output and that of the services it starts (plugplay,
# winedevice...) going nowhere: started by a test's first program, they would keep that test's
# output open, and CTest would wait for it to end long after the test had.
# Usage: tools/wine-prefix.sh PREFIX
set -euo pipefail
export WINEPREFIX=$1 WINEDEBUG=-all
ready=$WINEPREFIX/.korvane-ready
if [ ! -f "$ready" ]; then
    wineboot --init </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    wineserver --wait # the registry is written out when the server ends
    touch "$ready"
fi
wineserver --kill </dev/null >/dev/null 2>&1 || true # one left from an earlier run of the prefix
wineserver --persistent </dev/null >/dev/null 2>&1
# The services start with the first program; started here, they take the server's outputs.
wine cmd /c exit </dev/null >/dev/null 2>&1
