#!/usr/bin/env bash
# Runs two builds of korvane-batch on the same large generated set (tools/make-digit-set.py) and
# reports every output line in which they differ: a change to converting code must leave them
# byte-identical, except for lines it means to change.
# Usage: tools/digit-contract.sh OLD_KORVANE_BATCH NEW_KORVANE_BATCH [POINTS_PER_ELLIPSOID]
set -euo pipefail
old=$1
new=$2
points=${3:-60000}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 "$here/make-digit-set.py" "$work/set" "$points"
lines=0
differing=0
for direction in to-utm to-latlong; do
    position=0
    while read -r datum; do
        input="$work/set/$direction.$position.txt"
        # Status 1 only says that some lines gave Error; those lines are compared too.
        "$old" "$direction" --datum "$datum" "$input" >"$work/old" 2>/dev/null || [ $? -eq 1 ]
        "$new" "$direction" --datum "$datum" "$input" >"$work/new" 2>/dev/null || [ $? -eq 1 ]
        count=$(wc -l <"$input")
        lines=$((lines + count))
        if ! cmp -s "$work/old" "$work/new"; then
            changed=$(diff "$work/old" "$work/new" | grep -c '^>' || true)
            differing=$((differing + changed))
            echo "$direction on $datum: $changed of $count lines differ, for example:"
            diff <(paste -d'|' "$input" "$work/old") <(paste -d'|' "$input" "$work/new") |
                grep '^[<>]' | sed -n 1,6p || true # diff's status 1 says they differ
        fi
        position=$((position + 1))
    done <"$work/set/datums.txt"
done
echo "$lines lines compared, $differing differ"
[ "$differing" -eq 0 ]
