#!/usr/bin/env bash
# The standard grid beside its peers, on one thread: how often korvane-batch --grid=standard and
# GeoConvert agree on a million random points over the whole globe (WGS 84: zones, hemispheres,
# eastings and northings to the millimetre, MGRS at 1 m and at 100 m), each difference explained;
# how far it lies from proj's UTM on the other ellipsoids; and how fast it converts beside
# GeoConvert and proj, both directions. Prints Markdown. Run from a built tree.
# Usage: bench/standard-grid.sh [POINTS] [RUNS]     (default 1000000 points, 5 runs)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
points=${1:-1000000}
runs=${2:-5}
batch=${KORVANE_BATCH:-$top/build/batch/korvane-batch}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$top/bench/take-turns.sh"

# The globe, with a tenth of the points over south-west Norway and a tenth over Svalbard, where
# the zones have their exceptions, and a twentieth beyond 84 N and 80 S (UPS).
awk -v n="$points" 'BEGIN {
    srand(29);
    for (i = 0; i < n; i++) {
        k = i % 20
        if (k < 2) { lat = 56 + rand() * 8; lon = rand() * 12 }
        else if (k < 4) { lat = 72 + rand() * 12; lon = rand() * 42 }
        else if (k == 4) { lat = (rand() < 0.5 ? -90 + rand() * 10 : 84 + rand() * 6); lon = -180 + rand() * 360 }
        else { lat = -90 + rand() * 180; lon = -180 + rand() * 360 }
        printf "%.9f %.9f\n", lat, lon
    }
}' >"$work/globe.txt"

"$batch" to-utm --grid=standard --jobs 1 "$work/globe.txt" >"$work/korvane.utm"
GeoConvert -u -p 3 <"$work/globe.txt" >"$work/geoconvert.utm"
"$batch" to-utm --grid=standard --mgrs-precision=3 --jobs 1 "$work/globe.txt" | cut -f5 >"$work/korvane.mgrs3"
GeoConvert -m -p 0 <"$work/globe.txt" >"$work/geoconvert.mgrs5"
GeoConvert -m -p -2 <"$work/globe.txt" >"$work/geoconvert.mgrs3"
# GeoConvert writes "38n 402339.351 1755355.430", "n 2096454.164 1452981.254" for UPS.
paste "$work/korvane.utm" "$work/geoconvert.utm" | awk -F'\t' '{
    split($6, g, " ")
    zone = $1 == 0 ? tolower($2) : sprintf("%02d%s", $1, tolower($2))
    if (g[1] != zone || g[2] != $3 || g[3] != $4) print NR
}' >"$work/utm.differ"
paste -d' ' <(cut -f5 "$work/korvane.utm") "$work/geoconvert.mgrs5" | awk '$1 != $2 { print NR }' >"$work/mgrs5.differ"
paste -d' ' "$work/korvane.mgrs3" "$work/geoconvert.mgrs3" | awk '$1 != $2 { print NR }' >"$work/mgrs3.differ"
# Where the two differ, the exact values to the micrometre: a print rounding differs only next
# to a half millimetre.
explain() { # differing line numbers
    while read -r line; do
        point=$(sed -n "${line}p" "$work/globe.txt")
        echo "    $point: korvane $(sed -n "${line}p" "$work/korvane.utm" | cut -f1-4 | tr '\t' ' '),"\
             "GeoConvert $(sed -n "${line}p" "$work/geoconvert.utm"), to the micrometre"\
             "$(echo "$point" | GeoConvert -u -p 6)"
    done < <(head -n 5 "$1")
}
share() { awk -v d="$1" -v n="$points" 'BEGIN { printf "%.4f %%", 100 * (n - d) / n }'; }
utm_differ=$(wc -l <"$work/utm.differ")
mgrs5_differ=$(wc -l <"$work/mgrs5.differ")
mgrs3_differ=$(wc -l <"$work/mgrs3.differ")

# The other ellipsoids beside proj, as EPSG defines them, in zone 31 and 3 degrees beyond.
awk -v n=$((points / 10)) 'BEGIN { srand(31); for (i = 0; i < n; i++) printf "%.9f %.9f\n", -80 + rand() * 164, -3 + rand() * 12 }' \
    >"$work/zone.txt"
awk '{ print $2, $1 }' "$work/zone.txt" >"$work/zone-lonlat.txt"
proj_rows=""
for ellipsoid in "WGS 84|+ellps=WGS84" "GRS 80|+ellps=GRS80" "WGS 72|+ellps=WGS72" \
    "Australian 1965|+ellps=aust_SA" "Krasovsky 1940|+ellps=krass" "Clarke 1866|+ellps=clrk66" \
    "International 1924|+ellps=intl" "Clarke 1880|+a=6378249.145 +rf=293.465" \
    "Airy 1830|+ellps=airy" "Bessel 1841|+ellps=bessel" "Everest 1830|+ellps=evrst30"; do
    name=${ellipsoid%%|*}
    "$batch" to-utm --grid=standard --zone=31N --ellipsoid "$name" --jobs 1 "$work/zone.txt" |
        cut -f3,4 >"$work/korvane.en"
    proj -f %.3f +proj=utm +zone=31 ${ellipsoid#*|} <"$work/zone-lonlat.txt" >"$work/proj.en"
    worst=$(paste "$work/korvane.en" "$work/proj.en" | awk -F'\t' '{
        d = sqrt(($1 - $3) ^ 2 + ($2 - $4) ^ 2); if (d > w) w = d
    } END { printf "%.3f", w }')
    proj_rows+="| $name (${ellipsoid#*|}) | $worst m |"$'\n'
done

# Speed: points in zone 31, each tool's own input, both directions; the tools take turns.
awk -v n="$points" 'BEGIN { srand(31); for (i = 0; i < n; i++) printf "%.9f %.9f\n", 0.5 + rand() * 79, 0.01 + rand() * 5.98 }' \
    >"$work/speed.txt"
awk '{ print $2, $1 }' "$work/speed.txt" >"$work/speed-lonlat.txt"
"$batch" to-utm --grid=standard --jobs 1 "$work/speed.txt" >"$work/speed.utm"
awk -F'\t' '{ print $1 "N", $3, $4 }' "$work/speed.utm" >"$work/speed-usual.txt"
awk -F'\t' '{ print tolower($1 "N"), $3, $4 }' "$work/speed.utm" >"$work/speed-geoconvert.txt"
awk -F'\t' '{ print $3, $4 }' "$work/speed.utm" >"$work/speed-en.txt"
names=(korvane_forward geoconvert_forward proj_forward korvane_inverse geoconvert_inverse proj_inverse)
commands=(
    "'$batch' to-utm --grid=standard --jobs 1 '$work/speed.txt'"
    "GeoConvert -u -p 3 <'$work/speed.txt'"
    "proj +proj=utm +zone=31 +ellps=WGS84 -f %.3f <'$work/speed-lonlat.txt'"
    "'$batch' to-latlong --grid=standard --output=degrees --jobs 1 '$work/speed-usual.txt'"
    "GeoConvert -g -p 5 <'$work/speed-geoconvert.txt'"
    "proj -I +proj=utm +zone=31 +ellps=WGS84 -f %.9f <'$work/speed-en.txt'"
)
take_turns "$runs"
ratio() { echo "$1 / $2" | bc -l | xargs printf '%.1f'; }

cat <<TABLE
### Agreement with GeoConvert (WGS 84, $points random points)

| What | Points alike |
|---|---:|
| zone, hemisphere, easting and northing to the millimetre (\`GeoConvert -u -p 3\`) | $(share "$utm_differ") ($utm_differ differ) |
| MGRS at 1 m (\`GeoConvert -m -p 0\`) | $(share "$mgrs5_differ") ($mgrs5_differ differ) |
| MGRS at 100 m (\`GeoConvert -m -p -2\`) | $(share "$mgrs3_differ") ($mgrs3_differ differ) |

$( [ "$utm_differ" -gt 0 ] && { echo "Where they differ:"; echo; explain "$work/utm.differ"; echo; } )
### Beside proj's UTM on the other ellipsoids ($((points / 10)) points in zone 31 and 3 degrees beyond, 80 S to 84 N)

| Ellipsoid (proj's) | Largest distance |
|---|---:|
$proj_rows
### Speed, one thread ($points points in zone 31; seconds, median of $runs)

| Direction | korvane-batch --grid=standard | GeoConvert | proj | times GeoConvert | times proj |
|---|---:|---:|---:|---:|---:|
| to UTM | $korvane_forward | $geoconvert_forward | $proj_forward | $(ratio "$geoconvert_forward" "$korvane_forward") | $(ratio "$proj_forward" "$korvane_forward") |
| to latitude and longitude | $korvane_inverse | $geoconvert_inverse | $proj_inverse | $(ratio "$geoconvert_inverse" "$korvane_inverse") | $(ratio "$proj_inverse" "$korvane_inverse") |
TABLE
