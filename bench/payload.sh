# The payload of the file benchmarks, sourced by bench/archive-extract.sh and
# bench/copy-folder.sh: a few hundred MB of real files from /usr/lib and
# /usr/share copied into flat folders of FILES_PER_FOLDER files ($work/payload/
# p000, p001, ...), and a folder of SMALL_FILES small files ($work/small/p000).
# It is made once and kept in $work between runs.

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

# make_payload WORK PAYLOAD_MB SMALL_FILES FILES_PER_FOLDER
make_payload() {
    local work=$1 payload_mb=$2 small_files=$3 per_folder=$4
    [ -f "$work/payload.done" ] && return 0
    set +o pipefail # the file lists are cut short on purpose
    echo "-- making the payload (${payload_mb} MB mixed, ${small_files} small files)"
    rm -rf "$work/payload" "$work/small"
    candidates -size -16M | awk -F'\t' -v limit=$((payload_mb * 1048576)) \
        '{ total += $1; if (total > limit) exit; print }' | copy_into_folders "$work/payload" "$per_folder"
    candidates -size -4097c | head -n "$small_files" | copy_into_folders "$work/small" "$small_files"
    touch "$work/payload.done"
    set -o pipefail
}
