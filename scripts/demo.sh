#!/usr/bin/env bash
# The project's main job, step by step: makes a fresh emulated machine with
# kivtool, shows what it holds, checks setup descriptions, packs a product
# with one into an archive volume and unpacks the product into the machine,
# then makes a distribution medium of it, installs it with kivtool install and
# uninstalls it again from its uninstall record.
# The machine and the files the demo made stay in BUILD_DIR/demo (made anew
# on each run) so that they can be looked at afterwards.
# usage: scripts/demo.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
kivtool="$build/tools/kivtool"
if [ ! -x "$kivtool" ]; then
  echo "demo: $kivtool is missing; build it first (make demo builds it)" >&2
  exit 1
fi
repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$build" && pwd)
kivtool="$build/tools/kivtool"

demo="$build/demo"
rm -rf "$demo"
mkdir -p "$demo/work"
work="$demo/work"
export KIV_MACHINE="$demo/machine"

# kivtool's --json output, one object per line: enough for the flat objects
# the demo reads (no text in them holds a brace).
json_objects() { tr '{}' '\n\n' | grep '"'; }
# json_field LINE NAME: the value of field NAME in one object line, quotes removed.
json_field() { sed -n "s/.*\"$2\": *\"\{0,1\}\([^\",]*\).*/\1/p" <<<"$1"; }

echo "== Make a fresh machine"
"$kivtool" machine init "$KIV_MACHINE" --nt --lang 0x0409 --codepage 1252 --screen 1024x768 \
  --owner "Demo User" --organization "Demo Organization"

echo
echo "== Machine settings and well-known folders"
"$kivtool" machine info

echo
echo "== Path mapping (Windows path -> host path, and back)"
for path in 'C:\Program Files\Demo\demo.exe' 'c:\windows\system32' 'Z:\usr\bin'; do
  printf '%-32s -> %s\n' "$path" "$("$kivtool" machine path "$path")"
done
printf '%s\n  -> %s\n' "$KIV_MACHINE/drive_c/Windows" \
  "$("$kivtool" machine path "$KIV_MACHINE/drive_c/Windows")"

echo
echo "== The machine's registry"
"$kivtool" reg query 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion'

echo
echo "== Check the setup description"
"$kivtool" config check "$repo/tests/data/config/talvic.ini"

echo
echo "== Check a description with a mistake (the check fails, as it should)"
if "$kivtool" config check "$repo/tests/data/config/broken-index.ini"; then
  echo "demo: the check passed a broken description" >&2
  exit 1
fi

echo
echo "== Pack a small product into an archive volume"
mkdir -p "$work/product" "$work/setup"
cp "$repo/README.md" "$repo/Makefile" "$repo/CMakeLists.txt" "$work/product/"
head -c 200000 /dev/urandom > "$work/product/data.bin"
cp "$repo/tests/data/config/talvic.ini" "$work/setup/config.ini"
"$kivtool" pack create "$work/archive.zkiv" --setup "$work/setup" product="$work/product" --json |
  json_objects > "$work/packages"
offset=
while read -r package; do
  name=$(json_field "$package" name)
  printf 'package %-10s package offset %s, %s bytes, %s members\n' "$name" \
    "$(json_field "$package" offset)" "$(json_field "$package" bytes)" \
    "$(json_field "$package" members)"
  [ "$name" = product ] && offset=$(json_field "$package" offset)
done < <(grep '"name"' "$work/packages")
if [ -z "$offset" ]; then
  echo "demo: pack create reported no package named product" >&2
  exit 1
fi

echo
echo "== List and verify the volume"
echo "package offset $offset:"
printf '  %12s %12s  %s\n' "size" "compressed" "member"
"$kivtool" pack list "$work/archive.zkiv" "$offset" --json | json_objects | grep '"name"' |
  while read -r member; do
    printf '  %12s %12s  %s\n' "$(json_field "$member" size)" \
      "$(json_field "$member" compressed)" "$(json_field "$member" name)"
  done
"$kivtool" pack verify "$work/archive.zkiv"

echo
echo "== Extract the product into the machine and compare"
"$kivtool" pack extract "$work/archive.zkiv" "$offset" 'C:\Program Files\Demo'
diff -r "$work/product" "$KIV_MACHINE/drive_c/Program Files/Demo" && echo "identical"

echo
echo "== Make a distribution medium: Setup.exe, its 'Setup files' folder, two volumes"
medium="$work/medium"
mkdir -p "$medium/Setup files/Languages/English" "$work/medium-setup"
: > "$medium/Setup.exe"
: > "$medium/Setup files/Languages/English/Setup.era"
program_offset=$("$kivtool" pack create "$medium/Setup files/archive1.zkiv" \
  program="$work/product" --json | json_objects | grep '"program"' |
  while read -r package; do json_field "$package" offset; done)
echo "package program: package offset $program_offset in archive1.zkiv (volume 2)"
sed "s/@OFFSET@/$program_offset/" "$repo/tests/data/config/demo-medium.ini" \
  > "$work/medium-setup/config.ini"
"$kivtool" pack create "$medium/Setup files/archive.zkiv" --setup "$work/medium-setup" > /dev/null
find "$medium" -type f | sed "s|^$medium/|  |" | sort

echo
echo "== Install the medium without pages (kivtool install)"
"$kivtool" install "$medium" --user "Ada Lovelace" --company "Analytical Engines" < /dev/null

echo
echo "== What the installation left: files, registry, uninstall record"
ls -l "$KIV_MACHINE/drive_c/Program Files/Kiv software/Demo Product" | tail -n +2 |
  awk '{ printf "  %10s  %s\n", $5, $9 }'
"$kivtool" reg query 'HKEY_LOCAL_MACHINE\Software\Kiv demo\Demo Product 1.0'
echo "-- .uninstallinfos.log (lines end with CR LF on disk):"
tr -d '\r' < "$KIV_MACHINE/drive_c/Program Files/Kiv software/Demo Product/.uninstallinfos.log" |
  sed 's/^/  /'

echo
echo "== Uninstall it again from its record (kivtool uninstall)"
"$kivtool" uninstall 'C:\Program Files\Kiv software\Demo Product'
if [ -e "$KIV_MACHINE/drive_c/Program Files/Kiv software" ]; then
  echo "demo: the product's folder is still there" >&2
  exit 1
fi

echo
echo "== The setup of the example product, Orrery Planetarium 1.4"
# On a display the setup opens in a window for a person to go through; without
# one it runs headless under an input script that goes through every page,
# saving a picture of each.
medium="$build/examples/product/medium"
setup_machine="$demo/setup"
find "$medium" -maxdepth 3 -type f | sed "s|^$medium/|  |" | sort | head -20
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "  the setup opens in a window: go through its pages"
  "$kivtool" machine init "$setup_machine/machine-English" > /dev/null
  KIV_MACHINE="$setup_machine/machine-English" "$medium/Setup.exe"
else
  "$repo/scripts/setup-tour.sh" "$build" English "$setup_machine"
  echo "  no display here: the pages were saved as pictures:"
  ls "$setup_machine"/English-*.png | sed 's/^/    /'
fi
export KIV_MACHINE="$setup_machine/machine-English"
product='C:\Program Files\Kiv software\Orrery'
echo
echo "== What the setup left on its machine"
if [ -f "$KIV_MACHINE/drive_c/Program Files/Kiv software/Orrery/.uninstallinfos.log" ]; then
  (cd "$KIV_MACHINE/drive_c/Program Files/Kiv software/Orrery" && find . -type f | sort | sed 's/^/  /')
  "$kivtool" reg query 'HKEY_LOCAL_MACHINE\Software\Kiv software\Orrery\1.4'
  find "$KIV_MACHINE/drive_c/Documents and Settings" -iname '*.lnk' | sed "s|^$KIV_MACHINE/||; s/^/  /"
  echo
  echo "== Uninstall it again from its record (kivtool uninstall)"
  "$kivtool" uninstall "$product"
else
  echo "  nothing: the setup was left before it installed"
fi

echo
echo "== Unattended: Setup.exe /S with a response file, its log, and the exit code"
unattended="$demo/unattended"
"$kivtool" machine init "$unattended" > /dev/null
cat > "$unattended/drive_c/response.ini" <<'RESPONSE'
Language = German
User = Ada Lovelace
SetupType = Custom
Components = Program, Library, Handbuch
RESPONSE
sed 's/^/  /' "$unattended/drive_c/response.ini"
status=0
KIV_MACHINE="$unattended" "$medium/Setup.exe" /S '/RESPONSE=C:\response.ini' \
  '/LOG=C:\setup.log' || status=$?
echo "  exit status $status"
KIV_MACHINE="$unattended" "$kivtool" log show "$unattended/drive_c/setup.log" | sed 's/^/  /'
KIV_MACHINE="$unattended" "$kivtool" uninstall "$product" > /dev/null

echo
echo "== Done"
echo "The machines are kept in $demo (drive C in drive_c, the registry in"
echo "registry.db), the product, setup folder and volume in $work."
echo "Look at its registry with:"
echo "  KIV_MACHINE='$KIV_MACHINE' $kivtool reg export"
