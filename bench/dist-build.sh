#!/usr/bin/env bash
# Distribution benchmark: "kivtool dist build" of the mixed payload (one
# packed folder per payload folder, as make_payload_medium lays it out)
# against "tar" with gzip at the same zlib level (6) of the same tree, timed
# in turn in the same run; sizes of the medium's volumes and of the tarball.
#
#   bench/dist-build.sh [BUILD_DIR]
#
# Settings: PAYLOAD_MB (300), FILES_PER_FOLDER (400), RUNS (3); the payload is
# made once and kept in $KIV_BENCH_DIR between runs (bench/payload.sh).
# The build also compiles the English language folder, a fixed cost of a
# fraction of a second that tar does not have.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
work=${KIV_BENCH_DIR:-/tmp/kiv-bench-archive}
payload_mb=${PAYLOAD_MB:-300}
per_folder=${FILES_PER_FOLDER:-400}
runs=${RUNS:-3}
kivtool="$build/tools/kivtool"
mkdir -p "$work"

# shellcheck source=bench/timing.sh
. "$root/bench/timing.sh"
# shellcheck source=bench/payload.sh
. "$root/bench/payload.sh"
make_payload "$work" "$payload_mb" 0 "$per_folder"
outs=${KIV_BENCH_OUT:-$( [ -d /dev/shm ] && echo /dev/shm || echo "$work")/kiv-bench-dist}

# The project: every payload folder a packed folder of one component.
mkdir -p "$outs"
project="$outs/payload.kivdist"
{
  printf '[product]\napp-name = Bench\n[medium]\nlanguages = English\n'
  names=()
  for dir in "$work"/payload/p*; do
    name=$(basename "$dir")
    names+=("$name")
    printf '[folder %s]\nsource = %s\ntarget = %s\n' "$name" "$dir" "$name"
  done
  printf '[component All]\nfolders = %s\n' "$(IFS=,; echo "${names[*]}")"
  printf '[setup-types]\nTypical = All\n[options]\nlicence-page = no\n'
} > "$project"

# build_medium TOOL OUT: the medium (ours) or the tarball (reference) in OUT.
build_medium() {
    if [ "$1" = ours ]; then
        "$kivtool" dist build "$project" "$2/medium" > /dev/null
    else
        tar -I 'gzip -6' -cf "$2/payload.tar.gz" -C "$work" payload
    fi
}

echo "-- timing (best of $runs, in turn; output in $outs)"
find "$work/payload" -type f -exec cat {} + > /dev/null # warm the page cache
read -r ref_wall ref_cpu ours_wall ours_cpu <<< "$(compare build_medium)"
payload_bytes=$(find "$work/payload" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
volumes=$(find "$outs/ours/medium/Setup files" -name '*.zkiv' -printf '%s\n' | awk '{ s += $1 } END { print s }')
tarball=$(stat -c %s "$outs/reference/payload.tar.gz")
rm -rf "$outs"
awk -v b="$payload_bytes" -v r="$ref_wall" -v o="$ours_wall" -v rc="$ref_cpu" -v oc="$ours_cpu" \
    -v v="$volumes" -v t="$tarball" 'BEGIN {
    printf "payload %.1f MB\n", b / 1e6
    printf "tar -I \"gzip -6\"  %6.2f s  %7.1f MB/s   output %.1f MB (%.3f of the payload)\n",
           r, b / r / 1e6, t / 1e6, t / b
    printf "kivtool dist build %6.2f s  %7.1f MB/s   volumes %.1f MB (%.3f of the payload)\n",
           o, b / o / 1e6, v / 1e6, v / b
    printf "ratio (tar time / dist build time) %.2fx (processor time %.2fx); size ratio %.3f\n",
           r / o, rc / oc, v / t }'
