#!/usr/bin/env bash
# Builds the release packages and tries them the way a user would:
#
#  1. the .deb and the portable .tar.gz are built with CPack from ./build
#     (configured and built first when it is missing); neither may contain
#     the stand-in tools;
#  2. the .deb is installed with "apt-get install ./....deb"; its desktop entry
#     and AppStream metainfo are validated;
#  3. the installed program is started under Xvfb as a user who is not root,
#     with the stand-in tools copied into that user's per-user tools folder,
#     and a patch is run through the real window: open the demo loader, press
#     "NTSC Default" and "Patch"; the patched loader must appear in the
#     per-user work folder and nowhere else;
#  4. the portable kit is unpacked into a read-only folder; it must report
#     the per-user work folder (--help), start, and patch into that folder too.
#
# The window is driven with xdotool (keyboard for the file dialog and the
# message box, clicks at the places of the two buttons, scaled with the
# window): the program carries no test hook. Without a window manager under
# Xvfb the main window sits at 0,0 with no frame.
#
# Needs root (apt-get, and to start the program as another user). The user is
# "nobody" with a fresh home folder, so no account is made. The package is
# removed again at the end unless it was installed before.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
started=$SECONDS
# shellcheck source=scripts/xdotool-driving.sh
source scripts/xdotool-driving.sh

if [ "$(id -u)" -ne 0 ]; then
  echo "package-tests.sh needs root (it installs the .deb and starts the program as another user)." >&2
  exit 1
fi

# shellcheck source=scripts/debian-packages.sh
source scripts/debian-packages.sh
ensure_debian_packages packages

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
step() { echo "== $*"; }

# ---- 1. packages ----
step "building the packages"
if [ ! -f build/CMakeCache.txt ]; then
  scripts/build.sh --program-only >/dev/null
else
  cmake --build build -j"$(nproc)" >/dev/null
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
rm -f build/hdl-kelvane-gui*.deb build/hdl-kelvane-gui*.tar.gz
(cd build && cpack -G DEB >/dev/null && cpack -G TGZ >/dev/null)
deb=$(ls "$root"/build/hdl-kelvane-gui_*.deb)
tgz=$(ls "$root"/build/hdl-kelvane-gui-*.tar.gz)
echo "$(basename "$deb"), $(basename "$tgz")"

# A release package never holds the stand-ins, and always the tools read-me.
for listing in "$(dpkg-deb -c "$deb")" "$(tar tzf "$tgz")"; do
  if grep -qiE '(hdlpatch|ps2-packer)\.exe' <<<"$listing"; then fail "a package contains a tool"; fi
  grep -q 'tools/README.txt' <<<"$listing" || fail "a package lacks tools/README.txt"
  [ "$(grep -c 'README/.*README.txt' <<<"$listing")" -eq 3 ] || fail "a package lacks a read-me"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the .deb does not depend on Qt"

# ---- the test session: Xvfb, a user, the demo loader and the stand-ins ----
work=$(mktemp -d /tmp/kelvane-package-tests.XXXXXX)
chmod 755 "$work"
xvfb_pid=""
app_pid=""
installed_before=$(dpkg-query -W -f='${Status}' hdl-kelvane-gui 2>/dev/null | grep -c "install ok installed" || true)
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  if [ "$installed_before" = "0" ] && dpkg-query -W hdl-kelvane-gui >/dev/null 2>&1; then
    apt-get remove -y -qq hdl-kelvane-gui >/dev/null 2>&1 || true
  fi
  chmod -R u+w "$work" 2>/dev/null || true
  [ -n "${KELVANE_KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

start_xvfb 90 120 || fail "no free X display"

user=nobody
group=$(id -gn "$user")
demo="$work/DEMO.ELF"
cp build/kit/samples/DEMO.ELF "$demo"
chmod 644 "$demo"

# The per-user folder of a user whose home is $1.
per_user_dir() { echo "$1/.local/share/hdl-kelvane-gui"; }

# Makes a fresh home for the user, with the stand-ins in its per-user tools.
make_home() {
  local home=$1
  mkdir -p "$(per_user_dir "$home")/tools"
  cp build/kit/tools/hdlpatch.exe build/kit/tools/ps2-packer.exe "$(per_user_dir "$home")/tools/"
  chown -R "$user:$group" "$home"
}

# Runs the program as the user with home $1: as_user HOME PROGRAM ARGS...
# The program replaces the shell, so that "as_user ... &" leaves its id in $!.
as_user() {
  local home=$1
  shift
  exec setpriv --reuid="$user" --regid="$group" --init-groups \
    env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"
}

# Waits up to $2 seconds for a window whose name matches $1 and prints its
# id; fails the tests when none appeared.
wait_window() {
  local id
  id=$(find_window "$1" "$2")
  if [ -z "$id" ]; then
    import -window root "$root/build/package-tests-failure.png" 2>/dev/null || true
    fail "no window \"$1\" appeared (screen: build/package-tests-failure.png)"
  fi
  echo "$id"
}

# Starts PROGRAM as the user with home HOME and patches the demo loader
# through the window; checks that the output lies in the per-user folder.
patch_through_window() {
  local program=$1 home=$2 label=$3
  local output
  output="$(per_user_dir "$home")/OUTFILE.ELF"
  as_user "$home" "$program" >"$work/$label.log" 2>&1 &
  app_pid=$!
  local main
  main=$(wait_window '^HDL/HDA Kelvane GUI  ver' 30)
  local dialog
  dialog=$(open_file_dialog "$main")
  if [ -z "$dialog" ]; then
    import -window root "$root/build/package-tests-$label.png" 2>/dev/null || true
    fail "$label: the Open dialog did not appear (screen: build/package-tests-$label.png)"
  fi
  choose_in_file_dialog "$dialog" "$demo"
  local box
  box=$(wait_window '^HDL Kelvane GUI$' 30)
  xdotool windowfocus --sync "$box"
  xdotool key Return
  sleep 0.5
  # "NTSC Default" (position 82,2D) and "Patch", below the menu bar.
  click_at "$main" 504 218
  sleep 0.3
  click_at "$main" 484 508
  for _ in $(seq 100); do [ -s "$output" ] && break; sleep 0.2; done
  import -window root "$work/$label.png" 2>/dev/null || true
  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
  if [ ! -s "$output" ]; then
    cp "$work/$label.png" "$root/build/package-tests-$label.png" 2>/dev/null || true
    fail "$label: no patched loader in $(per_user_dir "$home") (screen: build/package-tests-$label.png)"
  fi
  [ "$(stat -c %U "$output")" = "$user" ] || fail "$label: the output does not belong to $user"
  echo "$label: patched loader written to $output"
}

# ---- 2. the .deb, installed ----
step "installing the .deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "$deb" >/dev/null
desktop-file-validate /usr/share/applications/io.github.kelvane.HdlKelvaneGui.desktop
appstreamcli validate --no-net /usr/share/metainfo/io.github.kelvane.HdlKelvaneGui.metainfo.xml >/dev/null ||
  fail "appstreamcli validate"
[ "$(/usr/bin/hdl_kelvane_gui --version)" = "HDL Kelvane GUI $version" ] || fail "--version"
[ ! -e /usr/share/hdl-kelvane-gui/tools/hdlpatch.exe ] || fail "the .deb installed a tool"

# ---- 3. the installed program, as a user who is not root ----
step "the installed program as $user"
home1="$work/home-installed"
make_home "$home1"
(as_user "$home1" /usr/bin/hdl_kelvane_gui --help) >"$work/help1.txt"
grep -q "$(per_user_dir "$home1")  (per-user" "$work/help1.txt" || fail "--help does not name the per-user folder"
patch_through_window /usr/bin/hdl_kelvane_gui "$home1" installed
[ ! -e /usr/bin/OUTFILE.ELF ] || fail "the installed program wrote beside itself"

# ---- 4. the portable kit in a read-only folder ----
step "the portable kit in a read-only folder as $user"
kit_parent="$work/read-only"
mkdir -p "$kit_parent"
tar xzf "$tgz" -C "$kit_parent"
kit=$(ls -d "$kit_parent"/hdl-kelvane-gui-*)
chmod -R a-w "$kit_parent"
home2="$work/home-portable"
make_home "$home2"
(as_user "$home2" "$kit/hdl_kelvane_gui" --help) >"$work/help2.txt"
grep -q "$(per_user_dir "$home2")  (per-user" "$work/help2.txt" ||
  fail "the read-only kit does not report the per-user folder"
grep -q "1. $kit/tools/hdlpatch.exe" "$work/help2.txt" || fail "the read-only kit's tools folder is not searched first"
patch_through_window "$kit/hdl_kelvane_gui" "$home2" portable
[ ! -e "$kit/OUTFILE.ELF" ] || fail "the read-only kit wrote beside itself"

echo "Package tests passed ($((SECONDS - started)) s)"
