#!/usr/bin/env bash
# Makes the user guide's screenshots in docs/ from the real program, under
# Xvfb: the main window with the demo loader opened and its graphics
# previewed, the tool console after a patch, the font window and the about
# window. Run it again whenever a window changes.
#
# usage: scripts/make-screenshots.sh   (builds the program when needed)
#
# The program runs from a copy of build/kit in /tmp/hdl-kelvane-gui, with the
# stand-in tools, so nothing is written into the kit. The window is driven
# with xdotool (scripts/xdotool-driving.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# shellcheck source=scripts/xdotool-driving.sh
source scripts/xdotool-driving.sh

for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || {
    echo "Missing $tool. Please run: sudo apt-get install -y xvfb xdotool imagemagick" >&2
    exit 1
  }
done
[ -x build/kit/hdl_kelvane_gui ] || scripts/build.sh --program-only >/dev/null

# A fixed, short folder, because the paths show in the pictures.
scratch=/tmp/hdl-kelvane-gui
rm -rf "$scratch"
mkdir "$scratch"
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
cp -r build/kit "$scratch/kit"

start_xvfb 121 150 || { echo "no free X display" >&2; exit 1; }

# Started in the kit, where its file dialog first opens.
(cd "$scratch/kit" && exec env -u XDG_DATA_HOME HOME="$scratch" LANG=C.UTF-8 \
  "$scratch/kit/hdl_kelvane_gui" >"$scratch/program.log" 2>&1) &
app_pid=$!

# The newest visible window other than the main window.
other_window() {
  local id
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name . 2>/dev/null | grep -vx "$main" | tail -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  echo "no window appeared" >&2
  exit 1
}
# Saves window $1 as docs/$2.png with a small palette.
shoot() {
  sleep 0.7
  import -window "$1" "$scratch/shot.png"
  convert "$scratch/shot.png" -strip -colors 128 "PNG8:$root/docs/$2.png"
  echo "docs/$2.png"
}
# Clicks the main window at a place given for a 595x552 window.
click() {
  click_at "$main" "$1" "$2"
  sleep 0.4
}

mkdir -p docs
main=$(find_window '^HDL/HDA Kelvane GUI  ver' 30)
[ -n "$main" ] || { echo "the program did not start" >&2; exit 1; }

# Open the demo loader (the file dialog takes a typed path).
dialog=$(open_file_dialog "$main")
[ -n "$dialog" ] || { echo "the Open dialog did not appear" >&2; exit 1; }
shoot "$dialog" open-dialog
choose_in_file_dialog "$dialog" "$scratch/kit/samples/DEMO.ELF"
box=$(find_window '^HDL Kelvane GUI$' 30)
xdotool windowfocus --sync "$box"
xdotool key Return
sleep 0.5

# A few choices: /L, NTSC Default, then "1 - Preload Graphics" and
# "2 - View Current Skin" for the previews.
click 22 178
click 504 218
click 160 266
sleep 2
click 270 266
sleep 1
shoot "$main" main-window

# Patch: the tool console.
click 484 508
console=$(other_window)
sleep 1
shoot "$console" tool-console
xdotool windowfocus --sync "$console"
xdotool key Escape
sleep 0.5

# The about window (About > About).
xdotool windowfocus --sync "$main"
xdotool key alt+a
sleep 0.4
xdotool key Return
about=$(find_window '^About HDL Kelvane GUI$' 10)
sleep 4  # the credits scroll up from below
shoot "$about" about-window
xdotool windowfocus --sync "$about"
xdotool key Escape
xdotool windowunmap "$about" 2>/dev/null || true

# The font window (the "HELP" button of "BMP Fonts").
click 551 299
font=$(find_window '^Change HDL/HDA Fonts$' 10)
shoot "$font" font-window
xdotool windowunmap "$font" 2>/dev/null || true

# Make Font (Tools > Make Font..., the menu's last entry) from the font file
# of DejaVu Sans Mono, chosen with "Choose File...".
xdotool windowfocus --sync "$main"
xdotool key alt+t
sleep 0.4
xdotool key Up Return
maker=$(find_window '^Make Font$' 10)
[ -n "$maker" ] || { echo "the Make Font dialog did not appear" >&2; exit 1; }
sleep 0.5
xdotool mousemove --window "$maker" 310 78 click 1
fonts=$(find_window '^Open$' 10)
[ -n "$fonts" ] || { echo "the font file dialog did not appear" >&2; exit 1; }
choose_in_file_dialog "$fonts" /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
shoot "$maker" font-maker
