#!/usr/bin/env bash
# Builds Korvane and runs every test; builds, checks, installs and runs the Debian package;
# cross-builds the Qt-free targets for Windows and tests them under Wine; fuzzes each input
# reader for a short while from the committed seeds; then builds everything again with
# AddressSanitizer and UndefinedBehaviorSanitizer, unoptimised, and runs the same tests there.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash tools/install-packages.sh tools/packages-run.txt tools/packages-test.txt
jobs=$(nproc)
fuzz_seconds=${KORVANE_FUZZ_SECONDS:-60}

# The code follows .clang-format.
git ls-files -z -- '*.cpp' '*.hpp' | xargs -0 clang-format --dry-run --Werror

# The Python package is built for Debian's python3, where python3-numpy and the rest install.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DKORVANE_BENCHMARKS=ON \
    -DKORVANE_STRICT_WARNINGS=ON -DKORVANE_PYTHON=ON -DPython3_EXECUTABLE=/usr/bin/python3
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The Debian package, built as a packager would, checked, installed with apt and run.
bash tools/check-package.sh

# Windows: the Qt-free targets cross-built with MinGW-w64 and tested under Wine.
bash tools/test-windows.sh

# libFuzzer, with the sanitizers on: a crash, a hang or a broken property fails the run.
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DKORVANE_FUZZ=ON -DKORVANE_WINDOWS=OFF -DKORVANE_BENCHMARKS=OFF
cmake --build build-fuzz -j "$jobs"
for target in ReadNumber LatLongCommand UtmCommand GridReference BatchLine BatchRun; do
    corpus=$(mktemp -d)
    echo "Fuzzing $target for $fuzz_seconds seconds"
    if ! build-fuzz/tests/fuzz/Fuzz$target -max_total_time="$fuzz_seconds" -timeout=10 \
        -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ "$corpus" "tests/fuzz/corpus/$target" \
        >build-fuzz/$target.log 2>&1; then
        tail -n 40 "build-fuzz/$target.log"
        echo "Fuzzing $target failed; the input is in build-fuzz/"
        exit 1
    fi
    grep -E '^Done [0-9]+ runs' "build-fuzz/$target.log" || true
    rm -rf "$corpus"
done

# Without the Python package: an instrumented module loads only into an interpreter started with
# the sanitizers' runtime preloaded.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON -DKORVANE_STRICT_WARNINGS=ON \
    -DKORVANE_PYTHON=OFF
cmake --build build-sanitize -j "$jobs"
LSAN_OPTIONS="suppressions=$top/tests/lsan-suppressions.txt" KORVANE_PROPERTY_POINTS=20000 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
