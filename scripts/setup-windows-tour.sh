#!/usr/bin/env bash
# The setup of the example product, run headless in English on a fresh
# machine, stopping at the windows it opens over its pages: the cancel
# question (Escape on the welcome page), the folder browser (Browse on the
# setup type page) and the message about a folder name that cannot be one.
# A screenshot of each lands in the output folder.
# usage: scripts/setup-windows-tour.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
medium="$build/examples/product/medium"
[ -x "$medium/Setup.exe" ] || { echo "setup-windows-tour: $medium/Setup.exe is missing" >&2; exit 1; }
machine="$out/machine-windows"
rm -rf "$machine"
"$build/tools/kivtool" machine init "$machine" > /dev/null
cat > "$out/windows.script" <<SCRIPT
wait-window #17
key Return
wait-window #10
key Escape
sleep 200
screenshot $out/cancel-question.png
key N
wait-window #10
key Return
wait-window #11
click #1501
key Return
wait-window #12
key Return
wait-window #13
click #1300
sleep 200
screenshot $out/folder-browser-over-page.png
key Escape
wait-window #13
click #1302
key Home Shift+End Delete
type C:\\Orrery|Planetarium
key Return
sleep 200
screenshot $out/message-box-over-page.png
key Return
wait-window #13
click #1102
sleep 200
key Return
SCRIPT
KIV_MACHINE="$machine" KIV_DISPLAY=headless KIV_SCRIPT="$out/windows.script" \
  "$medium/Setup.exe" || true
