#!/usr/bin/env bash
# The setup of the example product on the screen display in a virtual X
# server, driven by that server's own pointer and key events (xdotool): Enter
# through the language and welcome pages, a click on "I accept", a user name
# typed into its field, Enter through the setup type page; the setup's own
# input script then waits for the completion page and presses Finish. The
# machine afterwards must hold the product, and the registry the typed name.
# Needs xvfb-run and xdotool.
# Usage: scripts/setup-on-x.sh [BUILD FOLDER]   (default build)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
medium="$build/examples/product/medium"
kivtool="$build/tools/kivtool"
"$kivtool" machine init "$work/machine" > /dev/null
cat > "$work/finish.script" <<'SCRIPT'
wait-window #15 60000
screenshot setup-on-x.png
click #1100
SCRIPT
# The driver goes on past a failing xdotool call: what the machine holds
# afterwards is the verdict.
cat > "$work/drive.sh" <<DRIVE
#!/usr/bin/env bash
cd "$work"
KIV_MACHINE="$work/machine" KIV_SCRIPT="$work/finish.script" "$medium/Setup.exe" &
setup=\$!
# The page: the window named Setup that is smaller than the screen.
page() {
  for window in \$(xdotool search --onlyvisible --name '^Setup\$' 2>/dev/null); do
    eval "\$(xdotool getwindowgeometry --shell "\$window")"
    [ "\$WIDTH" -lt 1000 ] && { echo "\$window"; return; }
  done
}
# Puts the pointer on the page (the keyboard follows it without a window
# manager) and sets X and Y to the page's corner.
enter() {
  local window=
  for _ in \$(seq 50); do
    window=\$(page)
    [ -n "\$window" ] && break
    sleep 0.1
  done
  [ -n "\$window" ] || { echo "setup-on-x: no page" >&2; kill \$setup; exit 1; }
  eval "\$(xdotool getwindowgeometry --shell "\$window")"
  xdotool mousemove \$((X + 300)) \$((Y + 4)) click 1
  sleep 0.3
}
sleep 1
enter; xdotool key Return                              # language
sleep 1
enter; xdotool key Return                              # welcome
sleep 1
enter; xdotool mousemove \$((X + 145)) \$((Y + 299)) click 1   # I accept
sleep 0.3; xdotool key Return
sleep 1
enter; xdotool mousemove \$((X + 200)) \$((Y + 133)) click 1   # the user name
sleep 0.3; xdotool key ctrl+a; xdotool type 'Xavier Dot'; xdotool key Return
sleep 1
enter; xdotool key Return                              # setup type: Typical
wait \$setup
DRIVE
chmod +x "$work/drive.sh"
xvfb-run -a -s '-screen 0 1024x768x24' "$work/drive.sh"
product="$work/machine/drive_c/Program Files/Kiv software/Orrery"
[ -f "$product/Orrery.exe" ] || { echo "setup-on-x: the product was not installed" >&2; exit 1; }
KIV_MACHINE="$work/machine" "$kivtool" reg query 'HKEY_LOCAL_MACHINE\Software\Kiv software\Orrery\1.4' |
  grep -q 'Xavier Dot' || { echo "setup-on-x: the typed user name is not in the registry" >&2; exit 1; }
echo "setup-on-x: the setup installed the product, driven by real X events"
