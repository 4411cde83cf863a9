#!/usr/bin/env bash
# korvane-batch's datum shifts beside cs2cs: random points in each datum's region shifted from
# WGS 84 to the grid's datum and projected (to-utm), and back from the grid to WGS 84
# (to-latlong); the largest distance from cs2cs (and proj for its exact transverse Mercator) in
# each grid mode; the same through the Python package beside pyproj (KORVANE_PYTHONPATH, by default
# the build's); and the speed of to-utm with a shift beside cs2cs doing the same, one thread.
# Prints Markdown. Run from a built tree.
# Usage: bench/datum-shift.sh [POINTS_PER_PAIR] [SPEED_POINTS] [RUNS]   (1000, 1000000, 5)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
per_pair=${1:-1000}
speed_points=${2:-1000000}
runs=${3:-5}
batch=${KORVANE_BATCH:-$top/build/batch/korvane-batch}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$top/bench/take-turns.sh"
export PROJ_NETWORK=OFF

# Each pair: the grid datum's EPSG code, its name, and a box inside its area of use (south, west,
# north, east) whose points share one UTM zone.
pairs=(
    "4230|ED50|43|0.5|50|5.5"
    "4267|NAD27|30|-101.5|45|-96.5"
    "4277|OSGB36|51|-5.5|57|-0.5"
    "4284|Pulkovo 1942|50|37.5|62|41.5"
    "4210|Arc 1960|-4|36.5|-0.5|41.5"
    "4201|Adindan|10|30.5|20|35.5"
    "4240|Indian 1975|8|98|18|101.5"
    "4301|Tokyo|33|132.5|40|137.5"
    "4202|AGD66|-38|144.5|-30|149.5"
)
# The largest distance, in metres, of korvane's eastings and northings (the file) from cs2cs's.
distance() {
    paste "$1" "$work/cs2cs.en" | awk -F'\t' '{ d = sqrt(($1 - $3) ^ 2 + ($2 - $4) ^ 2); if (d > w) w = d }
        END { printf "%.4f", w }'
}
rows=""
for pair in "${pairs[@]}"; do
    IFS='|' read -r code name south west north east <<<"$pair"
    awk -v n="$per_pair" -v s="$south" -v w="$west" -v no="$north" -v e="$east" -v seed="$code" \
        'BEGIN { srand(seed); for (i = 0; i < n; i++) printf "%.9f %.9f\n", s + rand() * (no - s), w + rand() * (e - w) }' \
        >"$work/points.txt"
    # cs2cs's shift, then proj's transverse Mercator on the datum's ellipsoid.
    ellipsoid=$(projinfo -o PROJ "EPSG:$code" | tail -n 1 | tr ' ' '\n' | grep -E '^\+(ellps|datum|a|b|rf)=' | tr '\n' ' ')
    zone=$(awk 'NR == 1 { printf "%d", int(($2 + 180) / 6) + 1 }' "$work/points.txt")
    hemisphere=$(awk 'NR == 1 { print ($1 < 0 ? "S" : "N") }' "$work/points.txt")
    south_flag=$([ "$hemisphere" = S ] && echo +south || true)
    cs2cs -f %.12f EPSG:4326 "EPSG:$code" <"$work/points.txt" | awk '{ print $2, $1 }' |
        proj -f %.6f +proj=utm +zone="$zone" $south_flag $ellipsoid >"$work/cs2cs.en"
    "$batch" to-utm --grid=standard --zone="$zone$hemisphere" --from EPSG:4326 --datum "EPSG:$code" \
        --quiet --jobs 1 "$work/points.txt" >"$work/standard.utm"
    cut -f3,4 "$work/standard.utm" >"$work/standard.en"
    "$batch" to-utm --from EPSG:4326 --datum "EPSG:$code" --quiet --jobs 1 "$work/points.txt" |
        awk -F'\t' '{ print $5 "\t" $4 }' >"$work/windows.en"
    # Back: the grid's positions (cs2cs's) to WGS 84, beside cs2cs's own inverse.
    awk -F'\t' -v z="$zone$hemisphere" '{ print z, $1, $2 }' "$work/cs2cs.en" >"$work/grid.txt"
    "$batch" to-latlong --grid=standard --datum "EPSG:$code" --to EPSG:4326 --output=degrees \
        --decimals=9 --quiet --jobs 1 "$work/grid.txt" >"$work/back.txt"
    proj -I -f %.12f +proj=utm +zone="$zone" $south_flag $ellipsoid <"$work/cs2cs.en" |
        awk '{ print $2, $1 }' | cs2cs -f %.12f "EPSG:$code" EPSG:4326 >"$work/cs2cs-back.txt"
    back=$(paste "$work/back.txt" "$work/cs2cs-back.txt" | awk -F'\t' '{
        split($4, c, " "); dlat = $1 - $3; dlon = ($2 - c[1]) * cos($1 / 57.2957795)
        d = 111320 * sqrt(dlat * dlat + dlon * dlon); if (d > w) w = d } END { printf "%.4f", w }')
    rows+="| WGS 84 and $name (EPSG:$code), zone $zone$hemisphere | $(distance "$work/standard.en") m | $back m | $(distance "$work/windows.en") m |"$'\n'
done

# The same through the Python package beside pyproj, whose numbers are not printed and rounded:
# korvane's exact eastings and northings, and its shift back, against pyproj's.
pyproj_rows=$(PYTHONPATH=${KORVANE_PYTHONPATH:-$top/build/python} /usr/bin/python3 - "$per_pair" "${pairs[@]}" <<'PYTHON'
import sys

import numpy as np
import pyproj

import korvane

count = int(sys.argv[1])
for pair in sys.argv[2:]:
    code, name, south, west, north, east = pair.split("|")
    rng = np.random.default_rng(int(code))
    lat = rng.uniform(float(south), float(north), count)
    lon = rng.uniform(float(west), float(east), count)
    crs = pyproj.CRS(f"EPSG:{code}")
    utm = korvane.to_utm(lat, lon, grid="standard", source="EPSG:4326", datum=f"EPSG:{code}")
    shift = pyproj.Transformer.from_crs("EPSG:4326", crs, always_xy=False)
    slat, slon = shift.transform(lat, lon)
    zone = int(utm.zone[0])
    projection = pyproj.Proj(proj="utm", zone=zone, south=bool(utm.hemisphere[0] == "S"),
                             a=crs.ellipsoid.semi_major_metre, b=crs.ellipsoid.semi_minor_metre)
    easting, northing = projection(slon, slat)
    forward = np.hypot(utm.easting - easting, utm.northing - northing).max()
    back = korvane.to_latlong(utm, datum=f"EPSG:{code}", target="EPSG:4326")
    unshift = pyproj.Transformer.from_crs(crs, "EPSG:4326", always_xy=False)
    blat, blon = unshift.transform(*projection(utm.easting, utm.northing, inverse=True)[::-1])
    metres = 111320 * np.hypot(back.latitude - blat, (back.longitude - blon) * np.cos(np.radians(lat)))
    print(f"| WGS 84 and {name} (EPSG:{code}), zone {zone}{utm.hemisphere[0]} | "
          f"{forward:.1e} m | {metres.max():.1e} m |")
PYTHON
)

# Speed: points in France (zone 31), shifted to ED50 and projected, beside cs2cs to ED50 / UTM 31N.
awk -v n="$speed_points" 'BEGIN { srand(4230); for (i = 0; i < n; i++) printf "%.9f %.9f\n", 43 + rand() * 7, 0.5 + rand() * 5 }' \
    >"$work/france.txt"
names=(korvane_windows korvane_standard cs2cs)
commands=(
    "'$batch' to-utm --from EPSG:4326 --datum EPSG:4230 --quiet --jobs 1 '$work/france.txt'"
    "'$batch' to-utm --grid=standard --from EPSG:4326 --datum EPSG:4230 --quiet --jobs 1 '$work/france.txt'"
    "cs2cs -f %.3f EPSG:4326 EPSG:23031 <'$work/france.txt'"
)
take_turns "$runs"
ratio() { echo "$1 / $2" | bc -l | xargs printf '%.1f'; }

cat <<TABLE
### Agreement with cs2cs ($per_pair random points a pair)

The largest distance, in metres, from cs2cs's shift followed by proj's exact transverse Mercator
on the grid datum's ellipsoid (to UTM), and from proj's inverse followed by cs2cs's shift back
(to WGS 84):

| Datums | to UTM, standard grid | back to WGS 84, standard grid | to UTM, the windows' series |
|---|---:|---:|---:|
$rows
korvane-batch writes the grid to the millimetre and degrees to nine decimals (0.1 mm), so that
printing alone puts up to 0.7 mm and 0.1 mm between the two; the windows' series differs from the
exact projection by up to 0.11 m inside a zone (docs/accuracy.md).

### Agreement with pyproj ($per_pair random points a pair, the Python package's unrounded numbers)

| Datums | to UTM, standard grid | back to WGS 84, standard grid |
|---|---:|---:|
$pyproj_rows

### Speed, one thread ($speed_points points in France to ED50 / UTM zone 31N; seconds, median of $runs)

| | korvane-batch | korvane-batch --grid=standard | cs2cs EPSG:4326 EPSG:23031 | times cs2cs (windows' grid) | times cs2cs (standard grid) |
|---|---:|---:|---:|---:|---:|
| to UTM with a datum shift | $korvane_windows | $korvane_standard | $cs2cs | $(ratio "$cs2cs" "$korvane_windows") | $(ratio "$cs2cs" "$korvane_standard") |
TABLE
