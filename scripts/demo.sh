#!/usr/bin/env bash
# The project's main job, step by step: makes a fresh emulated machine in a
# temporary root with kivtool, shows what it holds, checks a setup
# description, packs a product with it into an archive volume and unpacks the
# product into the machine.
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
echo "== The machine's registry"
"$kivtool" reg query 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion'

echo
echo "== Check the setup description"
repo=$(cd "$(dirname "$0")/.." && pwd)
"$kivtool" config check "$repo/tests/data/config/talvic.ini"

echo
echo "== Pack a small product into an archive volume"
mkdir -p "$root/product" "$root/setup"
cp "$repo/README.md" "$repo/Makefile" "$repo/CMakeLists.txt" "$root/product/"
head -c 200000 /dev/urandom > "$root/product/data.bin"
cp "$repo/tests/data/config/talvic.ini" "$root/setup/config.ini"
"$kivtool" pack create "$root/archive.zkiv" --setup "$root/setup" product="$root/product" |
  tee "$root/packages"
offset=$(awk '$1 == "product" { print $2 }' "$root/packages")

echo
echo "== List and verify the volume"
"$kivtool" pack list "$root/archive.zkiv" "$offset"
"$kivtool" pack verify "$root/archive.zkiv"

echo
echo "== Extract the product into the machine and compare"
"$kivtool" pack extract "$root/archive.zkiv" "$offset" 'C:\Program Files\Demo'
diff -r "$root/product" "$KIV_MACHINE/drive_c/Program Files/Demo" && echo "identical"

echo
echo "== Done"
