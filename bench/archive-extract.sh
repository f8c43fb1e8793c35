#!/usr/bin/env bash
# Extraction benchmark: "kivtool pack extract" (the setup's reader) against a
# plain-zlib reference (bench/archive_reference.cpp) on the same volumes and
# the same folder layout, timed in the same run.
#
#   bench/archive-extract.sh [BUILD_DIR]
#
# The payload is a few hundred MB of real files from /usr/lib and /usr/share,
# copied into flat folders (one package per folder), and a folder of 20,000
# small files. It is made once and kept in $KIV_BENCH_DIR between runs.
# Settings: PAYLOAD_MB (300), SMALL_FILES (20000), FILES_PER_FOLDER (400), RUNS (3).
# Both unpack into the C drive of a scratch machine, as a setup does, kept on a
# memory file system when there is one, so that the figures measure the
# extraction rather than a disk shared with other work (KIV_BENCH_MACHINE).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
work=${KIV_BENCH_DIR:-/tmp/kiv-bench-archive}
payload_mb=${PAYLOAD_MB:-300}
small_files=${SMALL_FILES:-20000}
per_folder=${FILES_PER_FOLDER:-400}
runs=${RUNS:-3}
kivtool="$build/tools/kivtool"
reference="$work/archive_reference"
mkdir -p "$work"

echo "-- building the plain-zlib reference"
c++ -O2 -std=c++20 "$root/bench/archive_reference.cpp" -lz -o "$reference"
# shellcheck source=bench/timing.sh
. "$root/bench/timing.sh"
use_bench_machine kiv-bench-machine
outs="$KIV_MACHINE/drive_c/out"

# shellcheck source=bench/payload.sh
. "$root/bench/payload.sh"
make_payload "$work" "$payload_mb" "$small_files" "$per_folder"

echo "-- packing"
args=()
for dir in "$work"/payload/p*; do args+=("$(basename "$dir")=$dir"); done
"$kivtool" pack create "$work/payload.zkiv" "${args[@]}" > "$work/payload.packages"
"$kivtool" pack create "$work/small.zkiv" "small=$work/small/p000" > "$work/small.packages"
payload_bytes=$(awk '{ s += $3 } END { print s }' "$work/payload.packages")
small_count=$(awk '{ print $4 }' "$work/small.packages")
echo "payload: $(wc -l < "$work/payload.packages") packages, $payload_bytes bytes," \
     "volume $(stat -c %s "$work/payload.zkiv") bytes"

# extract_all TOOL VOLUME PACKAGES OUT: unpacks every package into OUT/NAME.
extract_all() {
    local tool=$1 volume=$2 packages=$3 out=$4 name offset rest
    while read -r name offset rest; do
        if [ "$tool" = ours ]; then
            "$kivtool" pack extract "$volume" "$offset" "$out/$name" > /dev/null
        else
            "$reference" "$volume" "$offset" "$out/$name"
        fi
    done < "$packages"
}

echo "-- timing (best of $runs, in turn; output in $outs)"
cat "$work/payload.zkiv" "$work/small.zkiv" > /dev/null # warm the page cache
same=identical
mixed=$(compare extract_all "$work/payload.zkiv" "$work/payload.packages")
diff -r "$outs/ours" "$outs/reference" > /dev/null || same=DIFFERENT
small=$(compare extract_all "$work/small.zkiv" "$work/small.packages")
diff -r "$outs/ours" "$outs/reference" > /dev/null || same=DIFFERENT
rm -rf "$outs/ours" "$outs/reference"

largest=$(sort -k3 -n "$work/payload.packages" | tail -n 1)
peak=$( { /usr/bin/time -f '%M' "$kivtool" pack extract "$work/payload.zkiv" \
          "$(echo "$largest" | awk '{ print $2 }')" "$outs/peak" > /dev/null; } 2>&1 | tail -n 1)
peak_small=$( { /usr/bin/time -f '%M' "$kivtool" pack extract "$work/small.zkiv" 4 \
          "$outs/peak-small" > /dev/null; } 2>&1 | tail -n 1)
rm -rf "$KIV_MACHINE"

read -r ref_wall ref_cpu ours_wall ours_cpu <<< "$mixed"
read -r refs_wall refs_cpu ourss_wall ourss_cpu <<< "$small"
awk -v b="$payload_bytes" -v r="$ref_wall" -v o="$ours_wall" -v rc="$ref_cpu" -v oc="$ours_cpu" \
    -v n="$small_count" -v rs="$refs_wall" -v os="$ourss_wall" -v rsc="$refs_cpu" \
    -v osc="$ourss_cpu" -v p="$peak" -v ps="$peak_small" -v same="$same" 'BEGIN {
    printf "mixed payload    reference %7.1f MB/s     kivtool %7.1f MB/s     ratio %.2fx (processor time %.2fx)\n",
           b / r / 1e6, b / o / 1e6, r / o, rc / oc
    printf "%d small files  reference %7.0f files/s  kivtool %7.0f files/s  ratio %.2fx (processor time %.2fx)\n",
           n, n / rs, n / os, rs / os, rsc / osc
    printf "peak memory of kivtool pack extract: %.1f MB (largest package), %.1f MB (small files)\n",
           p / 1024, ps / 1024
    printf "output of both: %s\n", same }'
