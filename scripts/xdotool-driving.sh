# shellcheck shell=bash
# Drives the program's windows under Xvfb with xdotool. Sourced by
# make-screenshots.sh and package-tests.sh, not run on its own.
#
# Without a window manager the main window sits at 0,0 with no frame, so
# controls are clicked at their places in the window layout.

# start_xvfb FIRST LAST: starts Xvfb on the first free display number from
# FIRST to LAST and waits until it answers; sets DISPLAY and xvfb_pid.
# Returns 1 when every display in the range is taken.
start_xvfb() {
  local n display=""
  for n in $(seq "$1" "$2"); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      display=":$n"
      break
    fi
  done
  [ -n "$display" ] || return 1
  Xvfb "$display" -screen 0 1280x1024x24 -ac -nolisten tcp >/dev/null 2>&1 &
  # shellcheck disable=SC2034  # the sourcing script ends it
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
}

# find_window NAME SECONDS: waits up to SECONDS for a visible window whose
# name matches NAME; prints its id, or nothing when none appeared.
find_window() {
  timeout "$2" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true
}

# click_at WINDOW X Y: clicks WINDOW at a place given for a 595x552 main
# window; the window grows with its font, and every control with it.
click_at() {
  local WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=')"
  xdotool mousemove --window "$1" $(($2 * WIDTH / 595)) $(($3 * HEIGHT / 552)) click 1
}

# open_file_dialog MAIN: presses Ctrl+O in the main window until the Open
# dialog shows (a window that has just appeared may not take keys yet);
# prints the dialog's id, or nothing when it did not appear.
open_file_dialog() {
  local dialog=""
  for _ in 1 2 3 4 5; do
    sleep 0.5
    xdotool windowfocus --sync "$1" >/dev/null
    xdotool key ctrl+o >/dev/null
    dialog=$(find_window '^Open$' 5)
    [ -n "$dialog" ] && break
  done
  echo "$dialog"
}

# choose_in_file_dialog DIALOG PATH: types PATH into the Open dialog and
# confirms it; again when the first keys were lost and the dialog is still
# open after a while (the machine may be slow).
choose_in_file_dialog() {
  for _ in 1 2 3; do
    sleep 0.5
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool key ctrl+a
    xdotool type --delay 20 "$2"
    xdotool key Return
    for _ in $(seq 100); do
      xdotool search --onlyvisible --name '^Open$' >/dev/null 2>&1 || break
      sleep 0.2
    done
    xdotool search --onlyvisible --name '^Open$' >/dev/null 2>&1 || break
  done
}
