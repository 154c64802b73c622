#!/usr/bin/env bash
# Takes screenshots of the main window, the font window and the about window
# under a virtual X server, once per font set and screen scale factor, so the
# layout can be looked at with each of them.
#
#   scripts/screenshots.sh [program] [output dir]
#
# Needs xvfb-run, xdotool and ImageMagick's import.
# Each font set is a fontconfig configuration that knows only that font
# directory, so the desktop's "Sans Serif" resolves to that family alone.
set -euo pipefail

program=${1:-build/kit/hdl_kelvane_gui}
out=${2:-screenshots}
mkdir -p "$out"
program=$(readlink -f "$program")

declare -A fontdirs=(
  [dejavu]=/usr/share/fonts/truetype/dejavu
  [liberation]=/usr/share/fonts/truetype/liberation2
  [noto]=/usr/share/fonts/truetype/noto
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shoot() {  # shoot <font set> <scale factor> <font dir> [font dpi]
  local set=$1 scale=$2 dir=$3 dpi=${4:-96}
  local conf="$work/$set.conf"
  cat >"$conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>$dir</dir>
  <cachedir>$work/cache-$set</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
</fontconfig>
CONF
  FONTCONFIG_FILE=$conf QT_SCALE_FACTOR=$scale QT_FONT_DPI=$dpi xvfb-run -a -s "-screen 0 2560x2048x24" \
    bash -c '
      program=$0 prefix=$1
      "$program" 2>"$prefix-stderr.txt" & pid=$!
      main=""
      for _ in $(seq 50); do
        main=$(xdotool search --onlyvisible --name "Kelvane GUI" 2>/dev/null | head -1) && [ -n "$main" ] && break
        sleep 0.2
      done
      # Without a window, import would wait for a click on the screen.
      if [ -z "$main" ]; then echo "no main window for $prefix" >&2; kill $pid; exit 1; fi
      sleep 1
      import -window "$main" "$prefix-main.png"
      # The about window from its menu, the font window from the fonts frame.
      # Without a window manager the keyboard goes where it is sent.
      xdotool windowfocus --sync "$main"
      xdotool key alt+a
      sleep 0.3
      xdotool key Return
      sleep 1
      about=$(xdotool search --onlyvisible --name "^About " | head -1)
      [ -n "$about" ] && import -window "$about" "$prefix-about.png"
      xdotool key Escape
      sleep 0.5
      # HELP of the fonts frame from the keyboard: Tab from the first control.
      xdotool windowfocus --sync "$main"
      xdotool key ctrl+Home
      focus_first=$(for _ in $(seq 21); do printf "Tab "; done)
      xdotool key --delay 30 $focus_first space
      sleep 1
      fonts=$(xdotool search --onlyvisible --name "Change HDL/HDA Fonts" | head -1)
      [ -n "$fonts" ] && import -window "$fonts" "$prefix-fonts.png"
      kill $pid
    ' "$program" "$out/$set-x$scale-dpi$dpi"
}

# Screen scale factors 1 and 2, and fonts one and a half times the usual size.
for set in dejavu liberation noto; do
  for scale in 1 2; do
    shoot "$set" "$scale" "${fontdirs[$set]}"
  done
  shoot "$set" 1 "${fontdirs[$set]}" 144
done
echo "screenshots in $out"
