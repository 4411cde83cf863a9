#!/usr/bin/env bash
# Builds Korvane and runs every test, then builds it again with AddressSanitizer and
# UndefinedBehaviorSanitizer, unoptimised, and runs the same tests there.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash tools/install-packages.sh
jobs=$(nproc)

# The code follows .clang-format.
git ls-files -z -- '*.cpp' '*.hpp' | xargs -0 clang-format --dry-run --Werror

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
