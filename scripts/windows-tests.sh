#!/usr/bin/env bash
# Builds the Qt-free logic, the stand-in tools and the Windows test program for
# 64-bit Windows with mingw-w64 and runs the test program under Wine, in a
# private Wine prefix made for this run. When a Linux build exists in ./build,
# also runs its wine test (the program's runner starting the Windows tools).
# Prints the test program's closing line; exits non-zero on any failure.
#
# usage: scripts/windows-tests.sh [directory-name...]
#   Each name is tried as a program directory besides the built-in awkward ones.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "Missing packages. Please run:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
fi

started=$SECONDS
build="$root/build-mingw"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DKELVANE_BUILD_GUI=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

export WINEDEBUG=-all WINEARCH=win64
export WINEPREFIX="$build/wine-prefix"
rm -rf "$WINEPREFIX"
wineboot --init >/dev/null 2>&1 || true
wineserver -w

status=0
output="$build/windows-tests.log"
wine "$build/windows-tests/kelvane_windows_tests.exe" "$(winepath -w "$build/kit/tools")" "$@" \
  >"$output" 2>&1 || status=$?
wineserver -w
tr -d '\r' <"$output" | grep -E '^(FAILED|note:|splitter:|command lines:|a\.bat:)' || true
closing=$(tail -n 1 "$output" | tr -d '\r')
if ! [[ "$closing" =~ ^[0-9]+\ passed,\ [0-9]+\ failed$ ]]; then
  echo "The Windows test program did not finish; its output is in $output" >&2
  status=1
fi
echo "$closing"
echo "(Windows build and tests: $((SECONDS - started)) s)"

if [ -f "$root/build/CMakeCache.txt" ] && grep -q '^KELVANE_BUILD_GUI:BOOL=ON' "$root/build/CMakeCache.txt"; then
  cmake --build "$root/build" -j"$(nproc)" --target wine_runner_tests >/dev/null
  ctest --test-dir "$root/build" -L wine --output-on-failure || status=1
  wineserver -w || true
fi
exit $status
