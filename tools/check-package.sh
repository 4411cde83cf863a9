#!/usr/bin/env bash
# Builds the Debian package as a packager would (no tests, no benchmarks, no GoogleTest), checks
# it with lintian and its desktop files with their validators, installs it with apt, runs both
# programs from /usr/bin and imports the Python package, and removes it again. Run as root from
# the top of the tree, with the packages of tools/packages-run.txt and tools/packages-test.txt
# installed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=build-package
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DKORVANE_BENCHMARKS=OFF \
    -DKORVANE_PYTHON=ON -DPython3_EXECUTABLE=/usr/bin/python3
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/korvane_*.deb
(cd "$build" && cpack -G DEB)
package=$(ls "$build"/korvane_*_amd64.deb)
echo "Built $package"

lintian --fail-on error "$package"

# The desktop files as installed, and the scalable icon drawn as the pixel one is.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$package" "$unpacked"
share=$unpacked/usr/share
desktop-file-validate "$share/applications/org.korvane.Korvane.desktop"
appstreamcli validate --no-net "$share/metainfo/org.korvane.Korvane.metainfo.xml"
rsvg-convert -w 256 -h 256 "$share/icons/hicolor/scalable/apps/org.korvane.Korvane.svg" \
    -o "$unpacked/svg.png"
# compare exits 1 whenever the pictures differ at all; the measure says by how much.
difference=$(compare -metric RMSE "$share/icons/hicolor/256x256/apps/org.korvane.Korvane.png" \
    "$unpacked/svg.png" null: 2>&1 | sed 's/.*(\(.*\)).*/\1/' || true)
awk -v d="$difference" 'BEGIN { exit !(d < 0.05) }' ||
    { echo "the scalable icon differs from the 256 px one: RMSE $difference" >&2; exit 1; }

# Installed as a user would, the programs answer from /usr/bin.
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "./$package"
trap 'apt-get remove -y -qq korvane >/dev/null; rm -rf "$unpacked"' EXIT
[ "$(/usr/bin/korvane-batch --version)" = "korvane-batch 1.0" ]
[ "$(/usr/bin/korvane --version)" = "korvane 1.0" ]
[ "$(echo 45,3 | /usr/bin/korvane-batch to-utm)" = \
    "$(printf '31\tT\t3\t4982950.40\t500000.00\t31 T   EK  00000  82950')" ]
# The Python package, imported from the installed files alone, gives the same digits.
[ "$(cd / && /usr/bin/python3 -c 'import korvane; r = korvane.to_utm(45, 3)
print(korvane.__file__, r.northing, r.grid_reference)')" = \
    "/usr/lib/python3/dist-packages/korvane/__init__.py 4982950.4 31 T   EK  00000  82950" ]
echo "The package installs and runs: $package"
