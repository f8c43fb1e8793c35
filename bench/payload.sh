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
    # The payload kept from an earlier run serves only when it was made with
    # the same settings: the benchmarks ask for different sizes.
    local settings="$payload_mb $small_files $per_folder"
    [ -f "$work/payload.done" ] && [ "$(cat "$work/payload.done")" = "$settings" ] && return 0
    set +o pipefail # the file lists are cut short on purpose
    echo "-- making the payload (${payload_mb} MB mixed, ${small_files} small files)"
    rm -rf "$work/payload" "$work/small"
    candidates -size -16M | awk -F'\t' -v limit=$((payload_mb * 1048576)) \
        '{ total += $1; if (total > limit) exit; print }' | copy_into_folders "$work/payload" "$per_folder"
    candidates -size -4097c | head -n "$small_files" | copy_into_folders "$work/small" "$small_files"
    echo "$settings" > "$work/payload.done"
    set -o pipefail
}

# make_payload_medium KIVTOOL PAYLOAD MEDIUM: a medium (MEDIUM/Setup files)
# whose install entries are the payload's folders packed into archive1.zkiv,
# one component, Typical only, with the installation and no page but the
# progress and completion pages. The package lines of kivtool pack create
# ("NAME OFFSET BYTES MEMBERS") are kept in MEDIUM.packages; the caller adds
# Setup.exe and the language folders.
make_payload_medium() {
    local kivtool=$1 payload=$2 medium=$3 count dir i k
    local files="$medium/Setup files" setup="$medium.setup"
    local args=()
    rm -rf "$medium" "$setup"
    mkdir -p "$files/Languages/English" "$setup"
    for dir in "$payload"/payload/p*; do args+=("$(basename "$dir")=$dir"); done
    "$kivtool" pack create "$files/archive1.zkiv" "${args[@]}" > "$medium.packages"
    count=$(wc -l < "$medium.packages")
    {
      printf 'Version 1.10\nCompany x\nCopyright x\nUrl x\nMail x\nAgreement x\nAppName Bench\n'
      printf 'LongAppName Bench\nExeName bench\nVersionText 1\nText11 -\nText12 -\nLanguages 1\n'
      printf 'Unused 0\nMultiVolume 1\nNumber 0\nEntries %d\npredecomp 1\n' "$count"
      awk '{ printf "Entry %d %s \"\" %s \"\" TRUE platformPC \"\" 0 0 %s 2 %s 0 0 0 0\n-\n",
             NR - 1, $1, $1, $2, $3 }' "$medium.packages"
      printf 'Components 1\nComponent All x 1 %d {' "$count"
      for ((i = 0; i < count; i++)); do printf ' %d' "$i"; done
      printf ' }\nSetupTypes 1\nType Typical x 1 { 0 }\nShortcuts 0\nUninstall 0\nUnused 0\n'
      printf 'Volumes 2\nVolume x 0 archive\nVolume x 0 archive1\nRegistry begin\n[ENDREGBASE]\n'
      printf 'Options x 28\n'
      for ((k = 1; k <= 28; k++)); do
        case $k in 7|13|16|17|20) printf 'O%d ""\n' "$k" ;; 23) printf 'O23 1\n' ;; *) printf 'O%d 0\n' "$k" ;; esac
      done
    } > "$setup/config.ini"
    "$kivtool" config check "$setup/config.ini" > /dev/null
    "$kivtool" pack create "$files/archive.zkiv" --setup "$setup" > /dev/null
}
