#!/usr/bin/env bash
# Windows, built and tested here: cross-builds every Qt-free target with MinGW-w64, runs their
# tests under Wine, requires of korvane-batch.exe the Linux build's digits, and builds and checks
# the Windows packages of the command-line converter. Run by tools/test.sh, after the Linux build
# in build/; prints how long each part took.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=build-windows
jobs=$(nproc)
started=$SECONDS
lap() { echo "Windows: $1 took $((SECONDS - started)) s"; started=$SECONDS; }

cmake -S . -B "$build" --toolchain tools/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVANE_WINDOWS=OFF -DBUILD_TESTING=ON -DKORVANE_BENCHMARKS=OFF -DKORVANE_STRICT_WARNINGS=ON
cmake --build "$build" -j "$jobs"
lap "the cross build"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
lap "the tests under Wine"

export WINEPREFIX=$top/$build/wine WINEDEBUG=-all
# The prefix's server again, for the programs run from here, and ended with this script.
bash tools/wine-prefix.sh "$WINEPREFIX"
trap 'wineserver --kill' EXIT
bash tools/windows-digits.sh build/batch/korvane-batch "$build/batch/korvane-batch.exe"
lap "the digits beside the Linux build's"

rm -f "$build"/korvane-batch-*-windows-x86_64.*
(cd "$build" && cpack -G ZIP && cpack -G NSIS)
work=$(mktemp -d)
trap 'rm -rf "$work"; wineserver --kill' EXIT
# The archive holds the program and its documents, and the program runs from it.
unzip -q "$build"/korvane-batch-*-windows-x86_64.zip -d "$work"
folder=$(echo "$work"/korvane-batch-*-windows-x86_64)
for file in korvane-batch.exe korvane-batch.txt README.md LICENSE; do
    [ -f "$folder/$file" ] || { echo "the archive lacks $file" >&2; exit 1; }
done
[ "$(wine "$folder/korvane-batch.exe" --version)" = "korvane-batch 1.0" ]
# The installer's stub is a 32-bit program, which this Wine does not run; its contents are read.
installer=$(echo "$build"/korvane-batch-*-windows-x86_64.exe)
# The listing is read whole: a grep that stopped at its match could end 7z by SIGPIPE, which
# pipefail would report as a missing file.
listing=$(7z l "$installer")
for file in korvane-batch.exe korvane-batch.txt README.md LICENSE; do
    grep -q " $file\$" <<<"$listing" || { echo "the installer lacks $file" >&2; exit 1; }
done
lap "the packages"
