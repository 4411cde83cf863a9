#!/usr/bin/env bash
# What only the Windows korvane-batch.exe can get wrong, run under Wine: CR LF input, a file name
# outside the ANSI code page on the command line, and standard output in binary mode, so that no
# CR is added before a line end.
# Usage: check-windows-batch.sh KORVANE_BATCH_EXE     (WINEPREFIX set)
set -uo pipefail
batch=$1
wine=${KORVANE_WINE:-wine}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passes=0
expect() { # name, expected, actual
    if [ "$2" = "$3" ]; then passes=$((passes + 1)); else
        echo "FAIL $1"; diff <(echo "$2") <(echo "$3"); failures=$((failures + 1))
    fi
}

forty_five=$(printf '31\tT\t3\t4982950.40\t500000.00\t31 T   EK  00000  82950')
sydney=$(printf '56\tH\t153\t6251925.36\t334416.39\t56 H   LH  34416  51925')

printf '45,3\r\n-33.86,151.21\r\n' >"$work/Zürich-点位.csv"
"$wine" "$batch" to-utm "$work/Zürich-点位.csv" >"$work/out" 2>"$work/err"
expect "a CR LF file with a non-ASCII name" "$forty_five"$'\n'"$sydney" "$(cat "$work/out")"
expect "no CR in the output" 0 "$(tr -cd '\r' <"$work/out" | wc -c)"
expect "two lines out" 2 "$(wc -l <"$work/out")"

printf '45,3\n' | "$wine" "$batch" to-utm - >"$work/out"
expect "standard input and output in binary" "$forty_five" "$(cat "$work/out")"
expect "no CR from standard input" 0 "$(tr -cd '\r' <"$work/out" | wc -c)"

"$wine" "$batch" to-utm "$work/missing-点.csv" >/dev/null 2>"$work/err"
expect "an unreadable input" 2 "$?"
expect "its name in the message" 1 "$(grep -c "cannot open .*missing-点.csv" "$work/err")"

# Without PROJ a datum shift is refused, saying why; the standard grid works all the same.
printf '45,3\n' | "$wine" "$batch" to-utm --from WGS84 --datum ED50 >/dev/null 2>"$work/err"
expect "a datum shift refused" 2 "$?"
expect "why it is refused" 1 "$(grep -c "built without PROJ" "$work/err")"
printf '45,3\n' | "$wine" "$batch" to-utm --grid=standard >"$work/out"
expect "the standard grid" "$(printf '31\tN\t500000.000\t4982950.400\t31TEK0000082950')" \
    "$(tr -d '\r' <"$work/out")"

"$wine" "$batch" --version >"$work/out"
expect "version" "korvane-batch 1.0" "$(cat "$work/out")"

echo "windows batch: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
