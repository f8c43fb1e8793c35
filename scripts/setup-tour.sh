#!/usr/bin/env bash
# The setup of the example product, run headless on a fresh machine under an
# input script that goes through every page by keyboard alone, as a person
# without a mouse would: the language chosen on the language page, the
# licence accepted, the Custom setup type, and Finish on the completion page.
# Each page opens with the focus where a person starts (the language list,
# the licence text, the checked setup type, Next or Finish). A screenshot of each page lands in the
# output folder, named after the language ("German-3-licence.png").
# usage: scripts/setup-tour.sh BUILD_DIR LANGUAGE OUT_DIR
#   LANGUAGE: English, French, German or Japanese
set -euo pipefail
build=$(cd "$1" && pwd)
language=$2
mkdir -p "$3"
out=$(cd "$3" && pwd)
medium="$build/examples/product/medium"
case "$language" in
  English) downs="" ;;
  French) downs="Down" ;;
  German) downs="Down Down" ;;
  Japanese) downs="Down Down Down" ;;
  *) echo "setup-tour: no language $language" >&2; exit 2 ;;
esac
[ -x "$medium/Setup.exe" ] || { echo "setup-tour: $medium/Setup.exe is missing" >&2; exit 1; }
machine="$out/machine-$language"
rm -rf "$machine"
"$build/tools/kivtool" machine init "$machine" > /dev/null
p="$out/$language"
cat > "$out/$language.script" <<SCRIPT
wait-window #17
key Home $downs
screenshot $p-1-language.png
key Return
wait-window #10
screenshot $p-2-welcome.png
key Return
wait-window #11
key Tab
key Space
screenshot $p-3-licence.png
key Return
wait-window #12
screenshot $p-4-user.png
key Return
wait-window #13
key Down Down
screenshot $p-5-setup-type.png
key Return
wait-window #14
screenshot $p-6-custom.png
key Return
wait-window #16
screenshot $p-7-installing.png
wait-window #15 60000
screenshot $p-8-complete.png
key Return
SCRIPT
KIV_MACHINE="$machine" KIV_DISPLAY=headless KIV_SCRIPT="$out/$language.script" \
  "$medium/Setup.exe"
