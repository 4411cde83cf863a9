#!/usr/bin/env bash
# Installs the Debian packages of the given lists (one name a line) that are not installed yet.
# Usage: tools/install-packages.sh LIST...
set -euo pipefail
missing=()
for list in "$@"; do
    while read -r package; do
        case "$package" in '' | '#'*) continue ;; esac
        if [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != "install ok installed" ]; then
            missing+=("$package")
        fi
    done <"$list"
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
