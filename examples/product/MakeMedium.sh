#!/usr/bin/env bash
# Makes the distribution medium of Orrery Planetarium with kivtool:
#   MEDIUM/Setup.exe                       the setup program, when built
#   MEDIUM/Charts/                         an install entry copied, not packed
#   MEDIUM/Setup files/archive.zkiv        the setup package (config.ini), the
#                                          program, library, welcome and images
#   MEDIUM/Setup files/archive1.zkiv       documentation and samples (volume 2)
#   MEDIUM/Setup files/Languages/<L>/      Setup.er? resources and licence.txt
# config.ini gets its offsets and sizes from what was packed; archive.zkiv,
# which holds config.ini, is packed twice for that.
# usage: MakeMedium.sh KIVTOOL SOURCE GENERATED RESOURCES MEDIUM PROGRAM [SETUP_EXE]
set -euo pipefail
kivtool=$1 source=$2 generated=$3 resources=$4 medium=$5 program=$6 setup_exe=${7:-}
work="$medium.work"
files="$medium/Setup files"
rm -rf "$medium" "$work"
mkdir -p "$files" "$work/program" "$work/library" "$work/setup"

# The packer names members in the ANSI code page of the machine in use:
# a machine of its own, not the user's.
export KIV_MACHINE="$work/machine"
"$kivtool" machine init "$KIV_MACHINE" --codepage 1252 > /dev/null

cp "$program" "$work/program/Orrery.exe"
cp "$generated/KivOrbit.dll" "$work/library/"
cp -r "$source/charts" "$medium/Charts"

declare -A offset size
# Reads kivtool pack create's lines "NAME OFFSET BYTES MEMBERS".
pack() {
  local name at bytes members
  while read -r name at bytes members; do
    offset[$name]=$at
    size[$name]=$bytes
  done < <("$kivtool" pack create "$@")
}

render() {
  local script=() name
  for name in "${!offset[@]}"; do
    script+=(-e "s/@OFFSET_$name@/${offset[$name]}/" -e "s/@SIZE_$name@/${size[$name]}/")
  done
  sed "${script[@]}" "$source/config.ini.in" > "$work/setup/config.ini"
  if grep -q '@[A-Z]*_[a-z]*@' "$work/setup/config.ini"; then
    echo "MakeMedium: config.ini names a package that was not packed:" >&2
    grep -o '@[A-Z]*_[a-z]*@' "$work/setup/config.ini" >&2
    exit 1
  fi
}

pack "$files/archive1.zkiv" docs="$source/docs" handbuch="$source/handbuch" \
  samples="$source/samples"
size[charts]=$(find "$medium/Charts" -maxdepth 1 -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
offset[charts]=0
main=(program="$work/program" library="$work/library" welcome="$source/welcome"
  resources="$generated/images/Resources" logos="$generated/images/Logos")
for package in "${main[@]}"; do
  offset[${package%%=*}]=0 size[${package%%=*}]=0
done
# First to learn the offsets, then with them: kivtool writes the setup
# package last, so the others stay where they were.
render
pack "$files/archive.zkiv" --setup "$work/setup" "${main[@]}"
render
learned=$(declare -p offset)
pack "$files/archive.zkiv" --setup "$work/setup" "${main[@]}"
if [ "$learned" != "$(declare -p offset)" ]; then
  echo "MakeMedium: the packages of archive.zkiv moved when packed again" >&2
  exit 1
fi

# Both tools print their findings on stdout: shown when they fail, and the
# description's warnings always.
if ! checked=$("$kivtool" config check "$work/setup/config.ini"); then
  echo "$checked" >&2
  exit 1
fi
grep ': warning: ' <<<"$checked" >&2 || true
for volume in archive archive1; do
  if ! verified=$("$kivtool" pack verify "$files/$volume.zkiv" --config "$work/setup/config.ini"); then
    echo "$verified" >&2
    exit 1
  fi
done

for language in English French German Japanese; do
  folder="$files/Languages/$language"
  mkdir -p "$folder"
  cp "$resources/$language"/Setup.er? "$folder/"
  cp "$generated/licence/$language.txt" "$folder/licence.txt"
done
if [ -n "$setup_exe" ]; then
  cp "$setup_exe" "$medium/Setup.exe"
fi
rm -rf "$work"
