#!/usr/bin/env bash
# Builds the program for 64-bit Windows on Linux (mingw-w64 and the Qt in
# ../shared/qt6-mingw), runs every test program under Wine through CTest, lays
# out the Windows kit with the install rules, packs its release .zip, and
# starts the program from that kit in Xvfb: its main window must appear with
# its caption and close cleanly when asked to. Logs and the screenshot go to
# build-win/ci-logs/. The last line is "N passed, M failed" over every CTest
# test and every check of the kit and the window; the exit status is non-zero
# on any failure.
#
# usage: scripts/windows-tests.sh [directory-name...]
#   Each name is also tried as a program directory by the command-line checks.
# Environment: KELVANE_QT_MINGW_ARCHIVE (default ../shared/qt6-mingw/qt6-mingw-6.4.2-x86_64.tar.xz
#   beside the repository), KELVANE_WINDOWS_BUILD (default build-win).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
started=$SECONDS

# shellcheck source=scripts/debian-packages.sh
source scripts/debian-packages.sh
ensure_debian_packages windows || exit 1

archive="${KELVANE_QT_MINGW_ARCHIVE:-$root/../shared/qt6-mingw/qt6-mingw-6.4.2-x86_64.tar.xz}"
build="${KELVANE_WINDOWS_BUILD:-$root/build-win}"
logs="$build/ci-logs"
mkdir -p "$logs"
rm -f "$logs"/*

passed=0
failed=0
check() {  # check <description> <command...>: one counted check
  local what=$1
  shift
  if "$@" >>"$logs/checks.log" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
  fi
}
finish() {
  echo "(Windows build, tests, kit and window: $((SECONDS - started)) s; logs in $logs)"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
  exit $?
}

# Qt for Windows, unpacked into the build folder once per archive.
qt="$build/$(basename "$archive" -x86_64.tar.xz)"
if [ ! -f "$archive" ]; then
  echo "No Qt for Windows at $archive (see README: Building for Windows on Linux)" >&2
  failed=$((failed + 1))
  finish
fi
if [ ! -d "$qt" ] || [ "$archive" -nt "$qt" ]; then
  rm -rf "$qt"
  tar xf "$archive" -C "$build"
  touch "$qt"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
echo "Building for Windows in $build (log: $logs/build.log)"
if ! { cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
         -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
         -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
         -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake &&
       cmake --build "$build" -j"$(nproc)"; } >"$logs/build.log" 2>&1; then
  tail -n 30 "$logs/build.log"
  failed=$((failed + 1))
  finish
fi
echo "Built in $((SECONDS - started)) s"

# A fresh Wine prefix of the build's own, made (by the build's Wine wrapper)
# before the tests start.
export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all
rm -rf "$WINEPREFIX"
"$build/wine-run" cmd.exe /c ver >/dev/null 2>&1
wineserver -w

# Every test program under Wine, in Xvfb so that Notepad can show its window.
echo "Running the tests under Wine (log: $logs/ctest.log)"
tests_started=$SECONDS
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$build" -j"$(nproc)" --timeout 300 --output-on-failure \
  --output-junit "$logs/ctest-junit.xml" >"$logs/ctest.log" 2>&1
wineserver -k 2>/dev/null
summary=$(tr -s '\n\t' '  ' <"$logs/ctest-junit.xml" 2>/dev/null | grep -m1 -o '<testsuite [^>]*>')
attribute() { grep -o " $1=\"[0-9]*\"" <<<"$summary" | grep -o '[0-9]*'; }
tests=$(attribute tests)
test_failures=$(attribute failures)
test_skipped=$(attribute skipped)
if [ -z "$tests" ]; then
  echo "FAILED: CTest wrote no results"
  tail -n 30 "$logs/ctest.log"
  failed=$((failed + 1))
else
  passed=$((passed + tests - test_failures - test_skipped))
  failed=$((failed + test_failures))
  grep -E '^\s*[0-9]+ - .* \((Failed|Timeout|Not Run|SEGFAULT|Exception)\)' "$logs/ctest.log" |
    sed 's/^/FAILED: /'
  echo "CTest: $tests tests, $test_failures failed, $test_skipped skipped" \
    "($((SECONDS - tests_started)) s)"
  grep -E '^\s*[0-9]+ - .*\(Skipped\)' "$logs/ctest.log" | sed 's/^ */  skipped: /'
  # What the command-line checks found, from their output in the results.
  sed 's/&amp;/\&/g; s/&quot;/"/g; s/&lt;/</g; s/&gt;/>/g' "$logs/ctest-junit.xml" | tr -d '\r' |
    grep -o -E '(note|splitter|a\.bat): .*' | sort -u
fi
if [ $# -gt 0 ]; then
  check "command lines from the directories given" \
    "$build/wine-run" "$build/windows-tests/kelvane_windows_tests.exe" \
    "$(winepath -w "$build/kit/tools")" "$@"
fi

# The Windows kit from the install rules, and its release archive.
kit="$build/windows-kit"
rm -rf "$kit"
check "install the Windows kit" cmake --install "$build" --prefix "$kit"
for file in hdl_kelvane_gui.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
    platforms/qwindows.dll styles/qwindowsvistastyle.dll \
    libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll \
    "README/HDL PATCH README.txt" "README/PS2Packer 0.3 README.txt" \
    "README/PS2Packer 0.4 README.txt" samples/DEMO.ELF; do
  check "the kit holds $file" test -f "$kit/$file"
done
check "the kit holds no stand-in tool" \
  test -z "$(find "$kit" -iname 'hdlpatch.exe' -o -iname 'ps2-packer.exe')"
check "the development kit holds the stand-ins" \
  test -f "$build/kit/tools/hdlpatch.exe" -a -f "$build/kit/tools/ps2-packer.exe"
rm -f "$build"/hdl-kelvane-gui-*.zip
check "pack the release .zip" cpack --config "$build/CPackConfig.cmake" -B "$build"
zip=$(ls "$build"/hdl-kelvane-gui-*.zip 2>/dev/null | head -n 1)
unzip -l "$zip" >"$logs/zip-contents.txt" 2>&1
check "the .zip holds the program" grep -q 'hdl_kelvane_gui\.exe' "$logs/zip-contents.txt"
check "the .zip holds the platform plugin" grep -q 'platforms/qwindows.dll' "$logs/zip-contents.txt"
check "the .zip holds no stand-in tool" \
  bash -c "! grep -q -i -E 'hdlpatch\.exe|ps2-packer\.exe' '$logs/zip-contents.txt'"

# The real window under Wine, started from the kit.
caption="HDL/HDA Kelvane GUI  ver. $(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
echo "Starting the program from the kit in Xvfb: \"$caption\""
smoke() {
  local display=$1
  export DISPLAY=":$display"
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$logs/xvfb.log" 2>&1 &
  local xvfb=$!
  local program_pid
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.2; done
  (cd "$kit" && exec wine hdl_kelvane_gui.exe) >"$logs/program.log" 2>&1 &
  program_pid=$!
  local window=""
  for _ in $(seq 120); do
    window=$(xdotool search --name "^${caption//./\\.}\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.5
  done
  check "the main window appears with the caption \"$caption\"" test -n "$window"
  if [ -n "$window" ]; then
    sleep 2  # let it paint
    import -window root "$logs/windows-main-window.png"
    check "screenshot kept" test -s "$logs/windows-main-window.png"
    xdotool getwindowname "$window" >>"$logs/checks.log" 2>&1
  fi
  # A close request as the window's close button sends it (WM_CLOSE).
  wine taskkill /im hdl_kelvane_gui.exe >>"$logs/checks.log" 2>&1
  local ended=""
  for _ in $(seq 60); do
    kill -0 "$program_pid" 2>/dev/null || { ended=yes; break; }
    sleep 0.5
  done
  check "the program ends when its window is closed" test -n "$ended"
  if [ -n "$ended" ]; then
    wait "$program_pid"
    check "the program exits with status 0" test $? -eq 0
  else
    kill "$program_pid" 2>/dev/null
  fi
  wineserver -k 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
}
display=99
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
smoke "$display"

finish
