#!/usr/bin/env bash
# Builds the whole test suite a second time, instrumented with AddressSanitizer
# and UndefinedBehaviorSanitizer, into ./build-sanitize and runs it. Any report
# of either sanitizer stops the program that made it, so the test fails.
#
# usage: scripts/sanitize-tests.sh [ctest arguments...]
# Environment: KELVANE_SANITIZE_BUILD_DIR (default build-sanitize),
#              CXX (default g++; clang++ works too).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build="${KELVANE_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
started=$SECONDS

flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1 -g"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER="${CXX:-g++}" "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DKELVANE_BUILD_GUI=ON -DKELVANE_BUILD_TESTS=ON -DKELVANE_BUILD_BENCH=OFF >/dev/null
# The test programs list their tests at build time, so the environment below
# already applies while building.
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

cmake --build "$build" -j"$(nproc)"
built=$SECONDS

cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
echo "sanitize-tests: built in $((built - started)) s, tests ran in $((SECONDS - built)) s"
