#!/usr/bin/env bash
# Builds Korvane and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash tools/install-packages.sh tools/packages-run.txt
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DKORVANE_BENCHMARKS=OFF
cmake --build build -j "$(nproc)" --target korvane korvane-batch
exec build/ui/korvane "$@"
