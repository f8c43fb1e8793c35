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
export KIV_MACHINE="$work/machine"
"$kivtool" machine init "$KIV_MACHINE" >/dev/null

# Copies the files listed as "size<TAB>path" on stdin into folders of
# $2 files under $1, each file renamed "<number>_<name>" so that names stay
# unique (also without regard to case) inside a folder.
copy_into_folders() {
    awk -F'\t' -v dest="$1" -v per="$2" '{
        n = split($2, parts, "/"); folder = sprintf("%s/p%03d", dest, int((NR - 1) / per));
        printf "%s\t%s/%06d_%s\n", $2, folder, NR, parts[n] }' |
    while IFS=$'\t' read -r src dst; do
        mkdir -p "$(dirname "$dst")"
        cp "$src" "$dst"
    done
}

# Regular readable files of /usr/lib and /usr/share with plain ASCII names,
# in a fixed pseudo-random order, as "size<TAB>path".
candidates() {
    find /usr/lib /usr/share -type f -readable -size +0 "$@" -printf '%s\t%p\n' 2>/dev/null |
        grep -E $'\t''[A-Za-z0-9_./+-]+$' | sort -t$'\t' -k2 |
        shuf --random-source=<(yes 2>/dev/null)
}

if [ ! -f "$work/payload.done" ]; then
    set +o pipefail # the file lists are cut short on purpose
    echo "-- making the payload (${payload_mb} MB mixed, ${small_files} small files)"
    rm -rf "$work/payload" "$work/small"
    candidates -size -16M | awk -F'\t' -v limit=$((payload_mb * 1048576)) \
        '{ total += $1; if (total > limit) exit; print }' | copy_into_folders "$work/payload" "$per_folder"
    candidates -size -4097c | head -n "$small_files" | copy_into_folders "$work/small" "$small_files"
    touch "$work/payload.done"
    set -o pipefail
fi

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

# best_time TOOL VOLUME PACKAGES: the shortest of $runs extractions, in seconds.
best_time() {
    local best="" start end t out="$work/out-$1"
    for _ in $(seq "$runs"); do
        rm -rf "$out"; mkdir -p "$out"; sync
        start=$(date +%s.%N)
        extract_all "$@" "$out"
        end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc -l)
        if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
    done
    echo "$best"
}

echo "-- timing (best of $runs)"
cat "$work/payload.zkiv" "$work/small.zkiv" > /dev/null # warm the page cache
ref=$(best_time reference "$work/payload.zkiv" "$work/payload.packages")
ours=$(best_time ours "$work/payload.zkiv" "$work/payload.packages")
diff -r "$work/out-ours" "$work/out-reference" > /dev/null && same=identical || same=DIFFERENT
ref_small=$(best_time reference "$work/small.zkiv" "$work/small.packages")
ours_small=$(best_time ours "$work/small.zkiv" "$work/small.packages")
diff -r "$work/out-ours" "$work/out-reference" > /dev/null || same=DIFFERENT

largest=$(sort -k3 -n "$work/payload.packages" | tail -n 1)
peak=$( { /usr/bin/time -f '%M' "$kivtool" pack extract "$work/payload.zkiv" \
          "$(echo "$largest" | awk '{ print $2 }')" "$work/out-peak" > /dev/null; } 2>&1 | tail -n 1)
peak_small=$( { /usr/bin/time -f '%M' "$kivtool" pack extract "$work/small.zkiv" 4 \
          "$work/out-peak-small" > /dev/null; } 2>&1 | tail -n 1)
rm -rf "$work/out-peak" "$work/out-peak-small"

awk -v b="$payload_bytes" -v r="$ref" -v o="$ours" -v n="$small_count" -v rs="$ref_small" \
    -v os="$ours_small" -v p="$peak" -v ps="$peak_small" -v same="$same" 'BEGIN {
    printf "mixed payload    reference %7.1f MB/s   kivtool %7.1f MB/s   ratio %.2fx\n",
           b / r / 1e6, b / o / 1e6, r / o
    printf "%d small files  reference %7.0f files/s kivtool %7.0f files/s ratio %.2fx\n",
           n, n / rs, n / os, rs / os
    printf "peak memory of kivtool pack extract: %.1f MB (largest package), %.1f MB (small files)\n",
           p / 1024, ps / 1024
    printf "output of both: %s\n", same }'
