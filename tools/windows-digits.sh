#!/usr/bin/env bash
# The same digits on Linux and Windows: runs the Linux korvane-batch and the Windows
# korvane-batch.exe (under Wine) on the same generated lines and requires byte-identical output
# wherever the results are places on the earth: both directions, all ellipsoids, the window's
# eight fields and decimal degrees with enough digits to come near rounding points, and to-utm's
# own results, also with more decimals, read back. Then measures, without requiring anything, how
# often the two differ far outside the earth, where their maths libraries part in a last digit.
# Usage: tools/windows-digits.sh KORVANE_BATCH KORVANE_BATCH_EXE [POINTS_PER_ELLIPSOID]
set -euo pipefail
linux=$1
windows=$2
points=${3:-40000}
here=$(cd "$(dirname "$0")" && pwd)
wine=${KORVANE_WINE:-wine}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 "$here/make-digit-set.py" "$work/set" "$points"
# The lines of a to-latlong input whose position lies within 10 degrees of their zone's central
# meridian: next to a pole, a hundredth of a millimetre of easting swings the longitude round the
# earth. ZONE_FIELD counts from 1 in the input line.
near_meridian() { # INPUT ZONE_FIELD
    # Status 1 says only that some lines gave Error (a finer northing past the pole's); the
    # filter below drops them.
    { "$linux" to-latlong --datum "$datum" "$1" 2>/dev/null || [ $? -eq 1 ]; } | paste -d'|' "$1" - |
        awk -F'|' -v zone_field="$2" '{
            split($1, input, /[,\t]/); count = split($2, result, "\t")
            meridian = 6 * input[zone_field] - 183
            latitude = result[count - 1]; longitude = result[count]
            if (result[1] != "Error" && latitude >= -90 && latitude <= 90 &&
                longitude >= meridian - 10 && longitude <= meridian + 10) print $1 }'
}

on_earth=0
far=0
far_differing=0
position=0
while read -r datum; do
    # To UTM: every generated latitude and longitude lies on the earth.
    "$linux" to-utm --datum "$datum" "$work/set/to-utm.$position.txt" >"$work/utm.linux" 2>/dev/null || true
    "$wine" "$windows" to-utm --datum "$datum" "$work/set/to-utm.$position.txt" >"$work/utm.windows" 2>/dev/null || true
    # Back to latitude and longitude: to-utm's own lines, and their northings and eastings with
    # three more decimals, which put the seconds anywhere between their hundredths.
    grep -v '^Error' "$work/utm.linux" >"$work/own.txt"
    awk -F'\t' 'BEGIN { srand(7) } {
        printf "%s%03d,%s%03d,%s,%s\n", $4, int(rand() * 1000), $5, int(rand() * 1000), $1,
            ($2 < "N" || ($2 == "N" && $4 + 0 == 10000000)) ? "S" : "N" }' "$work/own.txt" >"$work/finer.txt"
    near_meridian "$work/own.txt" 1 >"$work/back.txt"
    near_meridian "$work/finer.txt" 3 >>"$work/back.txt"
    "$linux" to-latlong --datum "$datum" "$work/back.txt" >"$work/back.linux" 2>/dev/null || true
    "$wine" "$windows" to-latlong --datum "$datum" "$work/back.txt" >"$work/back.windows" 2>/dev/null || true
    for pair in utm back; do
        if ! cmp -s "$work/$pair.linux" "$work/$pair.windows"; then
            echo "on $datum the Windows build differs from the Linux build, for example:" >&2
            diff "$work/$pair.linux" "$work/$pair.windows" | head -n 6 >&2
            exit 1
        fi
        on_earth=$((on_earth + $(wc -l <"$work/$pair.linux")))
    done
    # Far outside: northings and eastings up to the pole and beyond a zone's width.
    "$linux" to-latlong --datum "$datum" "$work/set/to-latlong.$position.txt" >"$work/far.linux" 2>/dev/null || true
    "$wine" "$windows" to-latlong --datum "$datum" "$work/set/to-latlong.$position.txt" >"$work/far.windows" 2>/dev/null || true
    far=$((far + $(wc -l <"$work/far.linux")))
    far_differing=$((far_differing + $(diff "$work/far.linux" "$work/far.windows" | grep -c '^>' || true)))
    position=$((position + 1))
done <"$work/set/datums.txt"
echo "$on_earth lines with places on the earth: Linux and Windows give the same bytes"
echo "$far_differing of $far lines reaching far outside differ"
