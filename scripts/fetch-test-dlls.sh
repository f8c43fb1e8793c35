#!/usr/bin/env bash
# Unpacks the Windows libraries and programs of Debian's libwine package (real
# PE32+ files with version resources, written by nobody here) into a folder
# for the version-information tests:
#
#   scripts/fetch-test-dlls.sh [FOLDER]
#
# FOLDER defaults to $KIV_WINE_DLLS, else ${XDG_CACHE_HOME:-~/.cache}/kiv/wine-dlls,
# which is where the tests look when KIV_WINE_DLLS is unset. Nothing is done
# when the folder already holds comctl32.dll. The package is fetched with
# apt-get download (no root needed, nothing is installed). This script never
# fails: when the package cannot be had it says so and exits 0, and the tests
# that need the files are skipped.
set -uo pipefail

cache=${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}
folder=${1:-${KIV_WINE_DLLS:-$cache/kiv/wine-dlls}}
# Where the amd64 package keeps its PE files (Debian 12).
inside=./usr/lib/x86_64-linux-gnu/wine/x86_64-windows

if [ -f "$folder/comctl32.dll" ]; then
  echo "fetch-test-dlls: $folder is ready"
  exit 0
fi

work=$(mktemp -d) || exit 0
trap 'rm -rf "$work"' EXIT

skip() {
  echo "fetch-test-dlls: $1; the tests on real libraries will be skipped" >&2
  exit 0
}

for tool in apt-get dpkg-deb tar; do
  command -v "$tool" >/dev/null || skip "no $tool"
done
(cd "$work" && apt-get download -q libwine >/dev/null 2>&1) || skip "apt-get download libwine failed"
packages=("$work"/libwine_*.deb)
package=${packages[0]}
[ -f "$package" ] || skip "no libwine package was downloaded"
mkdir -p "$work/unpacked" || skip "cannot make a scratch folder"
# Only the folder of PE files is unpacked, not the whole package.
dpkg-deb --fsys-tarfile "$package" | tar -x -C "$work/unpacked" "$inside" 2>/dev/null ||
  skip "the package holds no $inside"
[ -f "$work/unpacked/$inside/comctl32.dll" ] || skip "the package holds no comctl32.dll"
if [ -d "$folder" ]; then
  mv "$work/unpacked/$inside"/* "$folder"/ || skip "cannot move the files to $folder"
else
  # Moved whole under another name first, so that an interrupted run never
  # leaves a folder that looks ready.
  mkdir -p "$(dirname "$folder")" || skip "cannot make $(dirname "$folder")"
  rm -rf "$folder.partial"
  { mv "$work/unpacked/$inside" "$folder.partial" && mv "$folder.partial" "$folder"; } ||
    skip "cannot move the files to $folder"
fi
echo "fetch-test-dlls: unpacked into $folder"
