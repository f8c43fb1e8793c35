#!/usr/bin/env bash
# The project's main job, step by step: makes a fresh emulated machine in a
# temporary root with kivtool and shows what it holds.
# usage: scripts/demo.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
kivtool="$build/tools/kivtool"
if [ ! -x "$kivtool" ]; then
  echo "demo: $kivtool is missing; build first (make build)" >&2
  exit 1
fi

root=$(mktemp -d /tmp/kiv-demo-XXXXXX)
trap 'rm -rf "$root"' EXIT
export KIV_MACHINE="$root/machine"

echo "== Make a fresh machine"
"$kivtool" machine init "$KIV_MACHINE" --nt --lang 0x0409 --codepage 1252 --screen 1024x768 \
  --owner "Demo User" --organization "Demo Organization"

echo
echo "== Machine settings and well-known folders"
"$kivtool" machine info

echo
echo "== Path mapping"
for path in 'C:\Program Files\Demo\demo.exe' 'c:\windows\system32' 'Z:\usr\bin'; do
  printf '%-32s -> %s\n' "$path" "$("$kivtool" machine path "$path")"
done
printf '%-32s -> %s\n' "$KIV_MACHINE/drive_c/Windows" \
  "$("$kivtool" machine path "$KIV_MACHINE/drive_c/Windows")"

echo
echo "== Done"
