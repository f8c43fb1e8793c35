#!/usr/bin/env bash
# Installation benchmark: "kivtool install" of a medium whose install entries
# are the packages of the mixed payload of archive-extract.sh, against
# "kivtool pack extract" of the same packages into the same layout, timed in
# turn in the same run. The difference is what the install worker, its
# callbacks, its lists and the setup's start-up and shutdown cost.
#
#   bench/install-vs-extract.sh [BUILD_DIR]
#
# Settings: RUNS (3); the payload is that of archive-extract.sh
# (bench/payload.sh: PAYLOAD_MB, SMALL_FILES, FILES_PER_FOLDER), kept in
# $KIV_BENCH_DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
work=${KIV_BENCH_DIR:-/tmp/kiv-bench-archive}
runs=${RUNS:-3}
kivtool="$build/tools/kivtool"
mkdir -p "$work"
# shellcheck source=bench/payload.sh
. "$root/bench/payload.sh"
make_payload "$work" "${PAYLOAD_MB:-300}" "${SMALL_FILES:-20000}" "${FILES_PER_FOLDER:-400}"
# shellcheck source=bench/timing.sh
. "$root/bench/timing.sh"
use_bench_machine kiv-bench-install

echo "-- making the medium"
medium="$work/medium"
files="$medium/Setup files"
make_payload_medium "$kivtool" "$work" "$medium"
touch "$medium/Setup.exe" "$files/Languages/English/Setup.era"
payload_bytes=$(awk '{ s += $3 } END { print s }' "$medium.packages")
count=$(wc -l < "$medium.packages")
outs="$KIV_MACHINE/drive_c/bench"

# unpack_all TOOL OUT: the reference unpacks every package with kivtool pack
# extract into OUT/NAME; ours installs the medium into OUT (C:\bench\ours).
unpack_all() {
  local tool=$1 out=$2 name offset rest
  if [ "$tool" = ours ]; then
    "$kivtool" install "$medium" --dest 'C:\bench\ours' > /dev/null 2>&1
    return
  fi
  while read -r name offset rest; do
    "$kivtool" pack extract "$files/archive1.zkiv" "$offset" "$out/$name" > /dev/null
  done < "$medium.packages"
}

echo "-- timing (best of $runs, in turn)"
cat "$files/archive1.zkiv" > /dev/null
times=$(compare unpack_all)
same=identical
for dir in "$outs"/reference/*; do
  diff -r "$dir" "$outs/ours/$(basename "$dir")" > /dev/null || same=DIFFERENT
done
read -r ref_wall ref_cpu ours_wall ours_cpu <<< "$times"
rm -rf "$KIV_MACHINE"
awk -v b="$payload_bytes" -v n="$count" -v r="$ref_wall" -v o="$ours_wall" -v rc="$ref_cpu" \
    -v oc="$ours_cpu" -v same="$same" 'BEGIN {
  printf "%d entries, %d bytes: pack extract %.1f MB/s, install %.1f MB/s, ratio %.2fx (processor time %.2fx)\n",
         n, b, b / r / 1e6, b / o / 1e6, r / o, rc / oc
  printf "installed files against extracted ones: %s\n", same }'
