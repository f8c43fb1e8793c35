#!/usr/bin/env bash
# The setup of the example product on the screen display in a virtual X
# server, driven by that server's own key events alone (xdotool), as a person
# without a mouse goes through it: the arrows and Enter on the language page,
# Enter on the welcome page, Tab to the licence's choice, Space to
# accept it and Enter, a user name typed into the field that has the focus,
# Down Down to the Custom setup type, Enter on the component list, and Enter
# on Finish once the installation is done. The machine afterwards must hold
# the product with its samples (Custom), the German manual in German only,
# and the registry the typed name and the language chosen.
# Needs xvfb-run and xdotool.
# Usage: scripts/setup-on-x.sh [BUILD FOLDER [LANGUAGE]]   (default build German)
#   LANGUAGE: English, French, German or Japanese
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
language=${2:-German}
case "$language" in
  English) downs="" ;;
  French) downs="Down" ;;
  German) downs="Down Down" ;;
  Japanese) downs="Down Down Down" ;;
  *) echo "setup-on-x: no language $language" >&2; exit 2 ;;
esac
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
medium="$build/examples/product/medium"
kivtool="$build/tools/kivtool"
"$kivtool" machine init "$work/machine" > /dev/null
# The driver goes on past a failing xdotool call: what the machine holds
# afterwards is the verdict.
cat > "$work/drive.sh" <<DRIVE
#!/usr/bin/env bash
cd "$work"
KIV_MACHINE="$work/machine" "$medium/Setup.exe" &
setup=\$!
# The page: the setup's window that is smaller than the screen.
page() {
  for window in \$(xdotool search --onlyvisible --pid \$setup 2>/dev/null); do
    eval "\$(xdotool getwindowgeometry --shell "\$window")"
    [ "\$WIDTH" -lt 1000 ] && { echo "\$window"; return; }
  done
}
# Gives the page the keyboard (there is no window manager to do it), then
# presses the keys given.
keys() {
  local window=
  for _ in \$(seq 100); do
    window=\$(page)
    [ -n "\$window" ] && break
    sleep 0.1
  done
  [ -n "\$window" ] || { echo "setup-on-x: no page" >&2; kill \$setup; exit 1; }
  xdotool windowfocus --sync "\$window"
  sleep 0.3
  xdotool key --delay 150 "\$@"
  sleep 1.2
}
sleep 1
keys $downs Return                                # language
keys Return                                       # welcome
keys Tab space Return                             # licence: accepted
keys ctrl+a; xdotool type --delay 40 'Xavier Dot'; xdotool key Return   # user
sleep 1.2
keys Down Down Return                             # setup type: Custom
keys Return                                       # components
# The progress page runs by itself (Enter there would press its Cancel):
# once the product's files are in place, the tall completion page follows,
# with the focus on Finish.
for _ in \$(seq 600); do
  [ -f "$work/machine/drive_c/Program Files/Kiv software/Orrery/Orrery.exe" ] && break
  sleep 0.1
done
for _ in \$(seq 100); do
  window=\$(page)
  if [ -n "\$window" ]; then
    eval "\$(xdotool getwindowgeometry --shell "\$window")"
    [ "\$HEIGHT" -gt 300 ] && break
  fi
  sleep 0.1
done
sleep 1
keys Return                                       # completion: Finish
wait \$setup
DRIVE
chmod +x "$work/drive.sh"
xvfb-run -a -s '-screen 0 1024x768x24' "$work/drive.sh"
product="$work/machine/drive_c/Program Files/Kiv software/Orrery"
[ -f "$product/Orrery.exe" ] || { echo "setup-on-x: the product was not installed" >&2; exit 1; }
KIV_MACHINE="$work/machine" "$kivtool" reg query 'HKEY_LOCAL_MACHINE\Software\Kiv software\Orrery\1.4' |
  grep -q 'Xavier Dot' || { echo "setup-on-x: the typed user name is not in the registry" >&2; exit 1; }
[ -d "$product/Samples" ] || { echo "setup-on-x: the Custom setup type was not chosen" >&2; exit 1; }
manual=no
[ -f "$product/Docs/Handbuch.html" ] && manual=yes
[ "$manual" = "$([ "$language" = German ] && echo yes || echo no)" ] ||
  { echo "setup-on-x: the German manual is there: $manual, in $language" >&2; exit 1; }
KIV_MACHINE="$work/machine" "$kivtool" reg query 'HKEY_CURRENT_USER\Software\Kiv software\Orrery' |
  grep -q "$language" || { echo "setup-on-x: $language is not the language in the registry" >&2; exit 1; }
echo "setup-on-x: the setup installed the product in $language, driven by real X key events alone"
