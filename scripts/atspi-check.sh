#!/usr/bin/env bash
# Reads the program as a screen reader does. Under a virtual X server and a
# D-Bus session of its own (which starts the accessibility bus), it runs the
# program from a copy of its kit, loads the demo loader and patches it (a run
# that succeeds), then patches it again with a tool that prints a few lines
# and fails, and with one that runs until Stop is pressed, pressing the
# buttons over AT-SPI. For each run it keeps
# what was announced and the tree of every window at the end.
#
#   scripts/atspi-check.sh [program] [output dir]
#
# Needs xvfb-run, xdotool, dbus-run-session, at-spi2-core, python3-pyatspi.
set -euo pipefail

here=$(dirname "$(readlink -f "$0")")
program=$(readlink -f "${1:-build/kit/hdl_kelvane_gui}")
out=${2:-atspi}
mkdir -p "$out"
out=$(readlink -f "$out")
kit=$(mktemp -d)
trap 'rm -rf "$kit"' EXIT
cp -r "$(dirname "$program")"/. "$kit"

export KIT=$kit OUT=$out PROBE=$here/atspi-probe.py PROGRAM=$kit/$(basename "$program")
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
dbus-run-session -- xvfb-run -a -s "-screen 0 1366x768x24" bash -c '
  set -u
  source "$0"
  probe() { /usr/bin/python3 "$PROBE" "$@"; }
  app=hdl-kelvane-gui  # the application name the program gives itself
  "$PROGRAM" 2>"$OUT/stderr.txt" & pid=$!
  main=$(find_window "Kelvane GUI" 20)
  [ -n "$main" ] || { echo "no main window" >&2; kill $pid; exit 1; }
  # The program joins the accessibility bus a little after its window shows.
  for _ in $(seq 20); do
    probe tree "$app" > "$OUT/main-tree.txt" 2>/dev/null && break
    sleep 0.5
  done

  load() {  # load FILE: through the Open dialog, then past the box it shows
    dialog=$(open_file_dialog "$main")
    [ -n "$dialog" ] || { echo "no Open dialog" >&2; return 1; }
    choose_in_file_dialog "$dialog" "$1"
    sleep 1
    xdotool key Return
    sleep 0.5
  }
  run() {  # run NAME [BUTTON]: presses Patch (and BUTTON of the console
           # a little later), keeps what is heard and the windows
    probe watch "$app" 6 > "$OUT/$1-heard.txt" & watcher=$!
    sleep 1
    probe press "$app" Patch &
    sleep 2
    [ -z "${2:-}" ] || probe press "$app" "$2"
    sleep 2
    probe tree "$app" > "$OUT/$1-tree.txt"
    wait $watcher
    probe press "$app" Close || true
    sleep 0.5
    # Whatever box the run ended with.
    xdotool key Return
    sleep 0.5
  }

  load "$KIT/samples/DEMO.ELF"
  probe press "$app" "NTSC Default"
  run success
  printf "#!/bin/sh\necho reading the loader\necho cannot patch: no room >&2\nexit 1\n" \
    > "$KIT/tools/hdlpatch.exe"
  run failure
  printf "#!/bin/sh\necho working\nexec sleep 30\n" > "$KIT/tools/hdlpatch.exe"
  run stopped Stop
  kill $pid
' "$here/xdotool-driving.sh"
echo "written to $out"
