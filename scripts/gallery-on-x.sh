#!/usr/bin/env bash
# The gallery on the screen display in a virtual X server, driven by real
# pointer and key events of that server (xdotool): a click opens the Yes/No
# message box, the key Y answers it, a click into the name field and typing
# add to its text. The gallery's own script then checks the answer and the
# text (status 3 when either is wrong). Needs xvfb-run and xdotool.
# Usage: scripts/gallery-on-x.sh [BUILD FOLDER]   (default build)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The driver goes on past a failing xdotool call: the gallery's status
# (its script's checks) is the verdict.
cat > "$work/drive.sh" <<DRIVE
#!/usr/bin/env bash
cd "$work"
KIV_MACHINE="$work/machine" KIV_SCRIPT="$source/examples/gallery/xdotool.script" \
  "$build/resources/kivgallery" &
gallery=\$!
window=
for _ in \$(seq 50); do
  window=\$(xdotool search --name 'Toolkit gallery' 2>/dev/null | head -1)
  [ -n "\$window" ] && break
  sleep 0.1
done
[ -n "\$window" ] || { echo "gallery-on-x: no gallery window" >&2; kill \$gallery; exit 1; }
eval "\$(xdotool getwindowgeometry --shell "\$window")"
sleep 0.5
xdotool mousemove \$((X + 398)) \$((Y + 417)) click 1   # Yes No
sleep 1
xdotool key y
sleep 1
xdotool mousemove \$((X + 300)) \$((Y + 37)) click 1    # the name field
sleep 0.3
xdotool key End
xdotool type ' Byron'
wait \$gallery
DRIVE
chmod +x "$work/drive.sh"
xvfb-run -a -s '-screen 0 1024x768x24' "$work/drive.sh"
echo "gallery-on-x: the gallery answered real X events"
