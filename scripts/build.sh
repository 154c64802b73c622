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
