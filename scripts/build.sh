#!/usr/bin/env bash
# Configures and builds into ./build (the kit lands in ./build/kit).
#
# usage: scripts/build.sh [--program-only]
#   --program-only  the program and its kit only: no tests, no benchmarks
#                   (what ./run.sh needs for a quick first start)
set -euo pipefail
cd "$(dirname "$0")/.."
options=(-DKELVANE_BUILD_TESTS=ON)
if [ "${1:-}" = "--program-only" ]; then
  options=(-DKELVANE_BUILD_TESTS=OFF -DKELVANE_BUILD_BENCH=OFF)
fi
"$(pwd)/scripts/install-deps.sh"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  "${options[@]}" >/dev/null
cmake --build build -j"$(nproc)"

# The real ps2-packer for the end-to-end packing tests, when the shared folder
# beside the checkout holds it: unpacked into build/, never into the kit.
packer=../shared/ps2-packer/ps2-packer-1.1.0-x86_64-linux.tar.xz
if [ "${1:-}" != "--program-only" ] && [ -f "$packer" ] &&
  [ ! -x build/ps2-packer/ps2-packer-1.1.0/bin/ps2-packer ]; then
  if command -v xz >/dev/null; then
    mkdir -p build/ps2-packer
    tar -xJf "$packer" -C build/ps2-packer
  else
    echo "xz is missing (apt-get install xz-utils): the tests with the real ps2-packer skip" >&2
  fi
fi
