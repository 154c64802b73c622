#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang into ./build-fuzz and
# runs each for a fixed time over its committed seed corpus (tests/fuzz/corpus/
# <name>/). Inputs found on the way go to a scratch folder in the build
# directory, never into the committed corpus. A failing input is kept in
# build-fuzz/fuzz-findings/ and the end of the fuzzer's log is printed.
#
# usage: scripts/fuzz-smoke.sh [fuzzer-name...]        (default: all of them)
# Environment: KELVANE_FUZZ_SECONDS (default 45) per fuzzer,
#              KELVANE_FUZZ_BUILD_DIR (default build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds="${KELVANE_FUZZ_SECONDS:-45}"
build="${KELVANE_FUZZ_BUILD_DIR:-$root/build-fuzz}"
started=$SECONDS

if ! command -v clang++ >/dev/null; then
  echo "fuzz-smoke: clang++ is missing (Debian: apt-get install clang libclang-rt-14-dev)" >&2
  exit 1
fi
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" \
  -DKELVANE_BUILD_FUZZ=ON -DKELVANE_BUILD_GUI=OFF -DKELVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target kelvane_fuzzers >/dev/null
echo "fuzz-smoke: built in $((SECONDS - started)) s; $seconds s per fuzzer"

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for seeds in tests/fuzz/corpus/*/; do names+=("$(basename "$seeds")"); done
fi

findings="$build/fuzz-findings"
mkdir -p "$findings"
failed=()
for name in "${names[@]}"; do
  work="$build/fuzz-corpus/$name"
  log="$build/fuzz-$name.log"
  mkdir -p "$work"
  # One allocation above 256 MB counts as a fault: no input here needs one.
  if "$build/fuzz/$name" -max_total_time="$seconds" -timeout=10 -malloc_limit_mb=256 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/$name-" \
      "$work" "tests/fuzz/corpus/$name" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz-smoke: $name: no finding in ${runs:-?} runs"
  else
    failed+=("$name")
    echo "fuzz-smoke: $name FAILED; the end of $log:" >&2
    tail -n 40 "$log" >&2
  fi
done

echo "fuzz-smoke: finished in $((SECONDS - started)) s"
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz-smoke: findings in ${failed[*]} (inputs in $findings)" >&2
  exit 1
fi
