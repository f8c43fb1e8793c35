#!/usr/bin/env bash
# Extraction benchmark: "kivtool pack extract" (the setup's reader) and
# "kivtool install" (the reader behind the setup's install worker and its
# progress callbacks) against a plain-zlib reference
# (bench/archive_reference.cpp) on the same volumes and folder layout, and
# against "tar -xzf" of the same files packed at the same zlib level (gzip
# -6, zlib's default), all timed in turn in the same run.
#
#   bench/archive-extract.sh [BUILD_DIR]
#
# The payload is a few hundred MB of real files from /usr/lib and /usr/share,
# copied into flat folders (one package per folder), and a folder of 20,000
# small files. It is made once and kept in $KIV_BENCH_DIR between runs.
# Settings: PAYLOAD_MB (300), SMALL_FILES (20000), FILES_PER_FOLDER (400),
# RUNS (3). Every tool unpacks into the C drive of a scratch machine, as a
# setup does, kept on a memory file system when there is one
# (KIV_BENCH_MACHINE names another place, such as a folder on disk).
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
"$kivtool" pack create "$work/small.zkiv" "p000=$work/small/p000" > "$work/small.packages"
tar -C "$work/payload" -cf - . | gzip -6 > "$work/payload.tar.gz"
tar -C "$work/small" -cf - . | gzip -6 > "$work/small.tar.gz"
make_payload_medium "$kivtool" "$work" "$work/payload-medium"
mkdir -p "$work/small-set" && ln -sfn ../small "$work/small-set/payload"
make_payload_medium "$kivtool" "$work/small-set" "$work/small-medium"
for medium in "$work/payload-medium" "$work/small-medium"; do
    touch "$medium/Setup.exe" "$medium/Setup files/Languages/English/Setup.era"
done
payload_bytes=$(awk '{ s += $3 } END { print s }' "$work/payload.packages")
small_count=$(awk '{ print $4 }' "$work/small.packages")
echo "payload: $(wc -l < "$work/payload.packages") packages, $payload_bytes bytes," \
     "volume $(stat -c %s "$work/payload.zkiv") bytes"

# unpack TOOL SET OUT: unpacks every package of SET (payload or small) into
# OUT/NAME.
unpack() {
    local tool=$1 set=$2 out=$3 name offset rest
    case $tool in
    tar) tar -xzf "$work/$set.tar.gz" -C "$out" ;;
    install) "$kivtool" install "$work/$set-medium" --dest "C:\\out\\$(basename "$out")" \
                 > /dev/null 2>&1 ;;
    *)
        while read -r name offset rest; do
            if [ "$tool" = extract ]; then
                "$kivtool" pack extract "$work/$set.zkiv" "$offset" "$out/$name" > /dev/null
            else
                "$reference" "$work/$set.zkiv" "$offset" "$out/$name"
            fi
        done < "$work/$set.packages" ;;
    esac
}

# Whether every tool left the same files as the reference.
same_output() {
    local tool dir
    for tool in extract install tar; do
        for dir in "$outs"/reference/*; do
            diff -r "$dir" "$outs/$tool/$(basename "$dir")" > /dev/null || { echo DIFFERENT; return; }
        done
    done
    echo identical
}

tools="reference extract install tar"
echo "-- timing (best of $runs, in turn, alternating the order; output in $outs)"
cat "$work"/*.zkiv "$work"/*.tar.gz "$work"/*-medium/Setup\ files/*.zkiv > /dev/null # warm the page cache
mixed=$(compare_tools unpack "$tools" payload)
same=$(same_output)
small=$(compare_tools unpack "$tools" small)
[ "$(same_output)" = identical ] || same=DIFFERENT
rm -rf "${outs:?}"/*

largest=$(sort -k3 -n "$work/payload.packages" | tail -n 1 | awk '{ print $2 }')
peak() { /usr/bin/time -f '%M' -o "$work/peak.kb" "$@" > /dev/null 2>&1; cat "$work/peak.kb"; }
peak_large=$(peak "$kivtool" pack extract "$work/payload.zkiv" "$largest" "$outs/peak")
peak_small=$(peak "$kivtool" pack extract "$work/small.zkiv" 4 "$outs/peak-small")
peak_install=$(peak "$kivtool" install "$work/payload-medium" --dest 'C:\peak-install')
# System calls per small file of one extraction of the small files, all
# threads counted, when strace is there (startup and the volume reads
# included: they are a few hundred in all).
calls_per_file=unknown
if command -v strace > /dev/null; then
    strace -f -c -o "$work/strace.txt" "$kivtool" pack extract "$work/small.zkiv" 4 "$outs/strace" > /dev/null
    calls_per_file=$(awk -v n="$small_count" '$NF == "total" { printf "%.2f", $4 / n }' "$work/strace.txt")
fi
rm -rf "$KIV_MACHINE"

# report NAME UNIT AMOUNT TIMES: rates of each tool and the ratios of ours.
report() {
    echo "$4" | awk -v name="$1" -v unit="$2" -v amount="$3" '
        { wall[$1] = $2; cpu[$1] = $3; worst[$1] = $4 }
        END {
            printf "%s:\n", name
            for (t in wall)
                printf "  %-9s best %6.3f s  worst %6.3f s  %9.1f %s/s  processor %6.3f s\n",
                       t, wall[t], worst[t], amount / wall[t], unit, cpu[t]
            split("extract install", ours, " ")
            for (i = 1; i <= 2; i++)
                printf "  %-7s %.2fx the plain-zlib program, %.2fx tar -xzf (processor time %.2fx, %.2fx)\n",
                       ours[i], wall["reference"] / wall[ours[i]], wall["tar"] / wall[ours[i]],
                       cpu["reference"] / cpu[ours[i]], cpu["tar"] / cpu[ours[i]]
        }'
}
report "mixed payload ($payload_bytes bytes)" MB "$(echo "$payload_bytes / 1000000" | bc -l)" "$mixed"
report "$small_count small files" files "$small_count" "$small"
awk -v l="$peak_large" -v s="$peak_small" -v i="$peak_install" 'BEGIN {
    printf "peak memory: pack extract %.1f MB (largest package), %.1f MB (small files); install %.1f MB\n",
           l / 1024, s / 1024, i / 1024 }'
echo "system calls per small file (pack extract): $calls_per_file"
echo "output of every tool: $same"
