#!/usr/bin/env bash
# Builds, packs and installs the Debian package with the README's own commands, as a user
# would; checks it with lintian and its desktop files with their validators, runs both programs
# from /usr/bin and imports the Python package with Debian's python3, and removes the package
# again. Run as root from the top of the tree, with the packages of tools/packages-run.txt and
# tools/packages-test.txt installed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=build-package
rm -f "$build"/korvane_*.deb
export DEBIAN_FRONTEND=noninteractive
install=$(/usr/bin/python3 tools/readme-examples.py print package)
[ -n "$install" ] || { echo "the README has no package example" >&2; exit 1; }
bash -euo pipefail -c "$install"
trap 'apt-get remove -y -qq korvane >/dev/null' EXIT
package=$(ls "$build"/korvane_*_amd64.deb)
echo "Built and installed $package"

lintian --fail-on error "$package"

# The desktop files as installed, and the scalable icon drawn as the pixel one is.
unpacked=$(mktemp -d)
trap 'apt-get remove -y -qq korvane >/dev/null; rm -rf "$unpacked"' EXIT
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
[ "$(/usr/bin/korvane-batch --version)" = "korvane-batch 1.0" ]
[ "$(/usr/bin/korvane --version)" = "korvane 1.0" ]
[ "$(echo 45,3 | /usr/bin/korvane-batch to-utm)" = \
    "$(printf '31\tT\t3\t4982950.40\t500000.00\t31 T   EK  00000  82950')" ]
# A datum shift loads the plugin from where the package puts it.
[ "$(echo 45,3 | /usr/bin/korvane-batch to-utm --datum=ED50 --from=WGS84 --quiet)" = \
    "$(printf '31\tT\t3\t4983154.27\t500092.43\t31 T   EK  00092  83154')" ]
# The Python package, imported from the installed files alone with Debian's python3, gives the
# same digits and knows its version.
[ "$(cd / && /usr/bin/python3 -c 'import importlib.metadata, korvane; r = korvane.to_utm(45, 3)
print(korvane.__file__, r.northing, r.grid_reference, importlib.metadata.version("korvane"))')" = \
    "/usr/lib/python3/dist-packages/korvane/__init__.py 4982950.4 31 T   EK  00000  82950 1.0" ]
echo "The package installs and runs: $package"
