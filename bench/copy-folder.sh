#!/usr/bin/env bash
# Folder-copy benchmark: the setup's CopyFolderFiles (bench/copy_folder_files)
# against cp on the same folders, timed in the same run.
#
#   bench/copy-folder.sh [BUILD_DIR]
#
# The payload is that of bench/archive-extract.sh (bench/payload.sh), kept in
# $KIV_BENCH_DIR between runs: a few hundred MB of mixed real files in flat
# folders, and a folder of 20,000 small files. Both copy every folder into the
# C drive of a scratch machine, kept on a memory file system when there is
# one (KIV_BENCH_MACHINE), one process for all folders; cp gets the same
# folder list. Settings: PAYLOAD_MB (300), SMALL_FILES (20000),
# FILES_PER_FOLDER (400), RUNS (3).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
work=${KIV_BENCH_DIR:-/tmp/kiv-bench-archive}
runs=${RUNS:-3}
copier="$build/bench/copy_folder_files"
kivtool="$build/tools/kivtool"
mkdir -p "$work"

# shellcheck source=bench/payload.sh
. "$root/bench/payload.sh"
make_payload "$work" "${PAYLOAD_MB:-300}" "${SMALL_FILES:-20000}" "${FILES_PER_FOLDER:-400}"

# shellcheck source=bench/timing.sh
. "$root/bench/timing.sh"
use_bench_machine kiv-bench-machine
outs="$KIV_MACHINE/drive_c/out"

# copy_all TOOL SET OUT: copies every folder of $work/SET into OUT/NAME.
copy_all() {
    local tool=$1 set=$2 out=$3 args=() dir
    if [ "$tool" = ours ]; then
        for dir in "$work/$set"/p*; do args+=("$dir" "$out/$(basename "$dir")"); done
        "$copier" "${args[@]}" > /dev/null
    else
        for dir in "$work/$set"/p*; do
            mkdir -p "$out/$(basename "$dir")"
            cp "$dir"/* "$out/$(basename "$dir")/"
        done
    fi
}

echo "-- timing (best of $runs, in turn; output in $outs)"
find "$work/payload" "$work/small" -type f -exec cat {} + > /dev/null # warm the page cache
same=identical
mixed=$(compare copy_all payload)
diff -r "$outs/ours" "$outs/reference" > /dev/null || same=DIFFERENT
payload_bytes=$(du -sb --apparent-size "$outs/ours" | cut -f1)
small=$(compare copy_all small)
diff -r "$outs/ours" "$outs/reference" > /dev/null || same=DIFFERENT
small_count=$(find "$outs/ours" -type f | wc -l)
rm -rf "$KIV_MACHINE"

read -r ref_wall ref_cpu ours_wall ours_cpu <<< "$mixed"
read -r refs_wall refs_cpu ourss_wall ourss_cpu <<< "$small"
awk -v b="$payload_bytes" -v r="$ref_wall" -v o="$ours_wall" -v rc="$ref_cpu" -v oc="$ours_cpu" \
    -v n="$small_count" -v rs="$refs_wall" -v os="$ourss_wall" -v rsc="$refs_cpu" \
    -v osc="$ourss_cpu" -v same="$same" 'BEGIN {
    printf "mixed payload    cp %7.1f MB/s     CopyFolderFiles %7.1f MB/s     ratio %.2fx (processor time %.2fx)\n",
           b / r / 1e6, b / o / 1e6, r / o, rc / oc
    printf "%d small files  cp %7.0f files/s  CopyFolderFiles %7.0f files/s  ratio %.2fx (processor time %.2fx)\n",
           n, n / rs, n / os, rs / os, rsc / osc
    printf "output of both: %s\n", same }'
