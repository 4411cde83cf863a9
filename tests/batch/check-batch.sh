#!/usr/bin/env bash
# End-to-end checks of korvane-batch: files in, expected lines out, exit status and messages.
# Usage: check-batch.sh KORVANE_BATCH
set -uo pipefail
batch=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passes=0

check() { # name, expected exit status, expected output file, command...
    local name=$1 status=$2 expected=$3
    shift 3
    "$@" >"$work/out" 2>"$work/err"
    local actual=$?
    if [ "$actual" -ne "$status" ]; then
        echo "FAIL $name: exit status $actual, expected $status"; cat "$work/err"
        failures=$((failures + 1)); return
    fi
    if [ -n "$expected" ] && ! diff -u "$expected" "$work/out"; then
        echo "FAIL $name: output differs"
        failures=$((failures + 1)); return
    fi
    passes=$((passes + 1))
}

expect_in_err() { # name, text that standard error must hold
    if grep -qF -- "$2" "$work/err"; then passes=$((passes + 1)); else
        echo "FAIL $1: standard error lacks '$2'"; cat "$work/err"; failures=$((failures + 1))
    fi
}

check "to-utm from a file" 0 "$here/to-utm.expected" "$batch" to-utm "$here/to-utm.in"
check "to-utm from standard input" 0 "$here/to-utm.expected" \
    sh -c '"$0" to-utm < "$1"' "$batch" "$here/to-utm.in"
check "to-latlong" 0 "$here/to-latlong.expected" "$batch" to-latlong "$here/to-latlong.in"
check "another datum" 0 "$here/clarke-1866.expected" \
    "$batch" to-latlong --datum "Clarke 1866" "$here/clarke-1866.in"

# One output line per input line, bad lines included, and exit status 1.
check "bad lines" 1 "$here/to-utm-bad-lines.expected" "$batch" to-utm "$here/to-utm-bad-lines.in"
for line in 2 3 4 5 6 7 8; do
    expect_in_err "bad line $line named" "to-utm-bad-lines.in line $line:"
done

# Two files run on in order; line numbers count within each file.
cat "$here/to-utm.expected" "$here/to-utm-bad-lines.expected" >"$work/both.expected"
check "two files" 1 "$work/both.expected" \
    "$batch" to-utm "$here/to-utm.in" "$here/to-utm-bad-lines.in"
expect_in_err "second file's line" "to-utm-bad-lines.in line 2:"

: >"$work/empty"
check "empty file" 0 "$work/empty" "$batch" to-utm "$work/empty"

check "unknown datum" 2 "" "$batch" to-utm --datum "WGS 48" "$here/to-utm.in"
expect_in_err "datum names listed" "Everest 1830"
check "unknown direction" 2 "" "$batch" sideways
check "missing file" 2 "" "$batch" to-utm "$work/no-such-file"
check "a folder for a file" 2 "" "$batch" to-utm "$work"
expect_in_err "the folder named" "cannot read $work: Is a directory"
check "help" 0 "" "$batch" --help
grep -qF -- "--datum NAME" "$work/out" && passes=$((passes + 1)) ||
    { echo "FAIL help text"; failures=$((failures + 1)); }

# Hostile lines: thousands of characters, a grid reference that would fall on control
# characters; still one line out for each line in.
{
    head -c 20000 /dev/zero | tr '\0' '7'; echo
    printf '45,3,%s\n' "$(head -c 5000 /dev/zero | tr '\0' ' ')"
    echo "2.1,-5831724,8,N"
    echo "1755352.105,402336.0,38,N"
} >"$work/hostile.in"
"$batch" to-latlong "$work/hostile.in" >"$work/out" 2>"$work/err"
if [ "$(wc -l <"$work/out")" -eq 4 ] && [ "$(grep -c '^Error' "$work/out")" -eq 3 ] &&
    grep -q "control characters" "$work/out" && [ "$(wc -l <"$work/err")" -eq 3 ]; then
    passes=$((passes + 1))
else
    echo "FAIL hostile lines"; cat "$work/out" "$work/err"; failures=$((failures + 1))
fi

echo "batch: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
