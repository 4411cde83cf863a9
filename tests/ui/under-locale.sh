#!/usr/bin/env bash
# Runs a test program under a real locale of the C library, built with localedef from Debian's
# locale sources into a folder of the test's own, which LOCPATH points at, so that the machine
# needs no locale installed. Exits 77, a skipped test, only where localedef or the locale's
# sources (Debian's locales package) are missing.
# Usage: under-locale.sh LOCALE PROGRAM [ARGUMENT...]    e.g. under-locale.sh de_DE ./Test
set -uo pipefail
locale=$1
shift
command -v localedef >/dev/null || { echo "SKIP: localedef is not installed"; exit 77; }
[ -f "/usr/share/i18n/locales/$locale" ] || { echo "SKIP: no locale source for $locale"; exit 77; }
[ -f /usr/share/i18n/charmaps/UTF-8.gz ] || [ -f /usr/share/i18n/charmaps/UTF-8 ] ||
    { echo "SKIP: no UTF-8 character map"; exit 77; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
localedef -i "$locale" -f UTF-8 "$folder/$locale.UTF-8" || { echo "FAIL: localedef $locale"; exit 1; }
LOCPATH=$folder LANG=$locale.UTF-8 LC_ALL=$locale.UTF-8 LANGUAGE= "$@"
