#!/usr/bin/env bash
# Runs every performance measurement and writes docs/performance.md with the machine it ran on.
# Run from a built tree: bash bench/report-performance.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
out=docs/performance.md
mkdir -p docs

machine="$(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores, \
$(free -g | awk '/^Mem:/ { print $2 }') GiB, $(. /etc/os-release && echo "$PRETTY_NAME"), \
$(g++ --version | head -n 1)"
benchmarks=$(build/bench/korvane-bench --benchmark_color=false --benchmark_repetitions=1 2>/dev/null)
throughput=$(bash bench/batch-throughput.sh 1000000 5)
startup=$(bash bench/startup.sh 9)

cat >"$out" <<DOC
# Performance

Measured on $(date -u +%Y-%m-%d) on: $machine.
Everything here comes from \`bash bench/report-performance.sh\`; rerun it to measure again.

## Per call, beside GeographicLib (\`korvane-bench\`)

Each Korvane operation runs beside its GeographicLib counterpart in one binary and one run
(Google Benchmark): \`TransverseMercator::UTM()\` forward and reverse, \`MGRS::Forward\`,
\`Utility::val\` for reading a number, and \`GeoCoords\` parsing a position and writing its
UTM and MGRS (or degrees, minutes and seconds) for the two whole commands.

\`\`\`
$benchmarks
\`\`\`

## Batch conversion (\`bench/batch-throughput.sh\`)

$throughput

The goals were at least 3 times the throughput of proj and 10 times that of GeoConvert for
\`korvane-batch to-utm\` on one core; the speed-up column shows where it stands. The output of
every run is the same, byte for byte, and memory does not grow with the input: the converter
streams. Of each point's time, the projection itself takes about the \`ProjectToUtm_Korvane\`
time above: ten powers and seven sines, cosines and tangents per point, as the method
prescribes. The squares, cubes and square roots are exact products, taken only where that
is surely the general power function's own result; about one in ten lies so near halfway
between two doubles that the power function itself is asked. The rest is reading the line
and writing the result.

## Start of the program (\`bench/startup.sh\`)

$startup

The start loads only the Lat/Long window: no file, no settings and nothing of the other
window is read or built before it is shown.
DOC
echo "Wrote $out"
